#include "app/about_box.h"

#include "core/banner.h"
#include "core/dialog_keys.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Über das Programm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    auto* banner = new BannerStrip(this);
    Topleiste(*banner, QStringLiteral("Über das Programm"));
    layout->addWidget(banner);
    auto* text = new QLabel(QStringLiteral("<b>Wagenwart</b> Version 5.3.0"), this);
    text->setObjectName(QStringLiteral("versionLabel"));
    text->setAlignment(Qt::AlignCenter);
    text->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    buttons->addStretch();
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    setUpDialog(this);
}
