#include "PageFrame.h"

#include "Widgets.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

using Widgets::px;

QWidget* pageFrame(QWidget* page, const QString& bandName, const QString& title)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Widgets::band(page, bandName, title, Qt::yellow, QColor(0x87, 0xCE, 0xEB), 22));
    auto* panel = new QFrame(page);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(px(10), px(10), px(10), px(10));
    auto* content = new QWidget(panel);
    panelLayout->addWidget(content);
    layout->addWidget(panel, 1);
    return content;
}
