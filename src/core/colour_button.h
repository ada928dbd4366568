#pragma once
// ColourButton — a button that shows a colour and opens a palette: "Automatic", the colour fields,
// "No Color" and "Other Colors...". Every colour is a TColor, as the settings file stores it:
// "Automatic" is clDefault, "No Color" clNone, the colour fields are the well-known named colours,
// and "Other Colors..." asks the system's colour dialog for any other one.

#include "core/colour_text.h"

#include <QPalette>
#include <QPushButton>

#include <functional>
#include <optional>
#include <vector>

class QFrame;

class ColourButton final : public QPushButton {
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);

    TColor colour() const { return m_colour; }
    // Shows `colour` without announcing it.
    void setColour(TColor colour);
    // The palette role whose colour "Automatic" and "No Color" stand for (the list's own colour).
    void setFallbackRole(QPalette::ColorRole role);
    // The colour as drawn: system colours and the fallback resolved through the palette.
    QColor shownColour() const;

    // The colour fields of the palette, in their order.
    static const std::vector<TColor>& paletteColours();

    // The palette popup; it is shown by a click on the button.
    QFrame* palettePopup() const { return m_popup; }
    void showPalette();

    // What "Other Colors..." asks; QColorDialog unless a test puts something else here.
    using OtherColourPicker = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;
    void setOtherColourPicker(OtherColourPicker picker) { m_pickOther = std::move(picker); }

signals:
    // A colour was chosen in the palette (also the one already shown).
    void colourChosen(TColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildPalette();
    void choose(TColor colour);
    void chooseOther();

    TColor m_colour = clDefault;
    QPalette::ColorRole m_fallback = QPalette::Base;
    QFrame* m_popup = nullptr;
    OtherColourPicker m_pickOther;
};
