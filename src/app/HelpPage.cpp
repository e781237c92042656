#include "HelpPage.h"

#include "ClickableLabel.h"
#include "Ui.h"
#include "Widgets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using Widgets::px;

namespace {

const QString image1Address = QStringLiteral("https://www.joomla.org/");
const QString image2Address = QStringLiteral("https://virtuemart.net/");

ClickableLabel* picture(QWidget* parent, const QString& name, const QString& file,
                        const QString& accessibleName)
{
    auto* l = new ClickableLabel(parent);
    l->setObjectName(name);
    l->setPixmap(QPixmap(QStringLiteral(":/images/") + file + QStringLiteral(".png")));
    l->setFixedSize(px(200), px(150));
    l->setScaledContents(true);
    l->setCursor(Qt::PointingHandCursor);
    l->setAccessibleName(accessibleName);
    return l;
}

QLabel* line(QWidget* parent, const QString& name, const QString& text, const QColor& color)
{
    QLabel* l = Widgets::label(parent, name, text);
    l->setAlignment(Qt::AlignCenter);
    QFont font = l->font();
    font.setBold(true);
    font.setPixelSize(px(22));
    l->setFont(font);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(color.name()));
    return l;
}

} // namespace

HelpPage::HelpPage(Ui& ui, QWidget* parent) : Page(ui, parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel5"));
    panel->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(px(20), px(20), px(20), px(20));
    layout->addStretch(1);
    layout->addWidget(line(panel, QStringLiteral("Label37"),
                           QStringLiteral("SOFTWARE DEVELOPMENT ANY COMPLEXITY "), QColor(0x80, 0, 0)));
    QLabel* caption = Widgets::label(panel, QStringLiteral("Label45"), QStringLiteral("AND"));
    caption->setAlignment(Qt::AlignCenter);
    QFont decorative(QStringLiteral("Cooper Black"));
    decorative.setStyleHint(QFont::Decorative);
    decorative.setBold(true);
    decorative.setPixelSize(px(37));
    caption->setFont(decorative);
    layout->addWidget(caption);
    layout->addWidget(line(panel, QStringLiteral("Label38"), QStringLiteral("WEB DEVELOPING ANY COMPLEXITY "),
                           QColor(0x80, 0, 0x80)));
    auto* pictures = new QHBoxLayout;
    m_softwareImage = picture(panel, QStringLiteral("Image1"), QStringLiteral("software"),
                              QStringLiteral("Software development"));
    m_webImage =
        picture(panel, QStringLiteral("Image2"), QStringLiteral("web"), QStringLiteral("Web development"));
    on(m_softwareImage, &ClickableLabel::clicked, &HelpPage::openSoftwarePage);
    on(m_webImage, &ClickableLabel::clicked, &HelpPage::openWebPage);
    pictures->addStretch(1);
    pictures->addWidget(m_softwareImage);
    pictures->addSpacing(px(80));
    pictures->addWidget(m_webImage);
    pictures->addStretch(1);
    layout->addSpacing(px(20));
    layout->addLayout(pictures);
    layout->addStretch(1);
}

void HelpPage::openSoftwarePage()
{
    m_ui.openWithDesktop(image1Address);
}

void HelpPage::openWebPage()
{
    m_ui.openWithDesktop(image2Address);
}
