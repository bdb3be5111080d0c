#pragma once

// Prepares the process for Qt WebEngine before the application object exists: Chromium refuses
// its sandbox when running as root (CI and containers), and pages are drawn without a GPU.
void PrepareWebEngineEnvironment();
