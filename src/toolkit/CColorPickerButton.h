#pragma once

#include <QPushButton>

#include <cstdint>
#include <functional>

class QFrame;

// A button that shows a colour and opens a popup to choose another: a palette of 40 swatches,
// a "Default" entry (the button's default colour, which may stand for "no colour") and a
// "Custom..." entry that asks for any colour. Colours are 24-bit COLORREF values, red in the
// low byte. colorChosen is emitted after each choice (also when it did not change the colour).
class CColorPickerButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int kPaletteSize = 40;

    explicit CColorPickerButton(QWidget *parent = nullptr);

    std::uint32_t Color() const { return m_color; }
    void SetColor(std::uint32_t color);
    std::uint32_t DefaultColor() const { return m_default; }
    // Also makes it the current colour.
    void SetDefaultColor(std::uint32_t color);
    bool IsDefault() const { return m_color == m_default; }

    static std::uint32_t PaletteColor(int index);

    // Asks for a custom colour starting at the given one; false when the user cancelled. The
    // default opens the platform colour dialog.
    using CustomChooser = std::function<bool(QWidget *parent, std::uint32_t &color)>;
    void SetCustomChooser(CustomChooser chooser) { m_custom = std::move(chooser); }

    // The popup (null while closed) and what its entries do.
    QFrame *Popup() const { return m_popup; }
    void ShowPopup();
    void ChoosePalette(int index);
    void ChooseDefault();
    void ChooseCustom();

signals:
    void colorChosen();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Choose(std::uint32_t color);
    void ClosePopup();

    std::uint32_t m_color;
    std::uint32_t m_default;
    CustomChooser m_custom;
    QFrame *m_popup = nullptr;
};
