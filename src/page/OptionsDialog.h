#pragma once

struct EditingOptions;
class QWidget;

// The Options dialog: a property sheet captioned "Pelion" with the pages "UI Activation",
// "Source Filtering" and "Misc", started from options. On OK every page that was opened writes
// its check boxes into options and the result is true; Cancel changes nothing.
bool RunOptionsDialog(EditingOptions &options, QWidget *parent);
