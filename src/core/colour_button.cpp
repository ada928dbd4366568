#include "core/colour_button.h"

#include "core/system_colours.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 5;
constexpr int kSwatch = 18;

QPixmap swatchPixmap(const QColor& colour) {
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(colour);
    QPainter p(&pixmap);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return pixmap;
}

} // namespace

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent) {
    setMinimumSize(72, 24);
    m_pickOther = [](const QColor& current, QWidget* owner) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, owner);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    buildPalette();
    connect(this, &QPushButton::clicked, this, &ColourButton::showPalette);
}

const std::vector<TColor>& ColourButton::paletteColours() {
    // The sixteen basic colours and the four extra named ones, so that every field is stored by
    // its name.
    static const std::vector<TColor> colours = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x0000FF,
        0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    return colours;
}

void ColourButton::buildPalette() {
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("colourPalette"));
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto wide = [this, layout](const QString& text, const QString& name) {
        auto* button = new QToolButton(m_popup);
        button->setText(text);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(button);
        return button;
    };
    connect(wide(QStringLiteral("Automatic"), QStringLiteral("automaticButton")), &QToolButton::clicked, this,
            [this] { choose(clDefault); });

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const std::vector<TColor>& colours = paletteColours();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const TColor c = colours[i];
        auto* field = new QToolButton(m_popup);
        field->setObjectName(QString::fromStdString(ColorToString(c)));
        field->setAutoRaise(true);
        field->setIcon(swatchPixmap(toQColor(c, palette(), QPalette::Base)));
        field->setIconSize(QSize(kSwatch, kSwatch));
        connect(field, &QToolButton::clicked, this, [this, c] { choose(c); });
        grid->addWidget(field, static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns);
    }
    layout->addLayout(grid);

    connect(wide(QStringLiteral("No Color"), QStringLiteral("noColourButton")), &QToolButton::clicked, this,
            [this] { choose(clNone); });
    connect(wide(QStringLiteral("Other Colors..."), QStringLiteral("otherColoursButton")), &QToolButton::clicked,
            this, &ColourButton::chooseOther);
}

void ColourButton::setColour(TColor colour) {
    m_colour = colour;
    update();
}

void ColourButton::setFallbackRole(QPalette::ColorRole role) {
    m_fallback = role;
    update();
}

QColor ColourButton::shownColour() const {
    return toQColor(m_colour, palette(), m_fallback);
}

void ColourButton::showPalette() {
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void ColourButton::choose(TColor colour) {
    m_popup->hide();
    setColour(colour);
    emit colourChosen(colour);
}

void ColourButton::chooseOther() {
    m_popup->hide();
    if (const std::optional<QColor> chosen = m_pickOther ? m_pickOther(shownColour(), window()) : std::nullopt)
        choose(fromQColor(*chosen));
}

void ColourButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int arrow = 12;
    QPainter p(this);
    const QRect swatch = content.adjusted(2, 3, -(arrow + 4), -3);
    p.fillRect(swatch, shownColour());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = QRect(content.right() - arrow, content.center().y() - arrow / 2, arrow, arrow);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, &p, this);
}
