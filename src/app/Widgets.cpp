#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace Widgets {

int px(int pixelsAt120Dpi)
{
    return qRound(pixelsAt120Dpi * 96.0 / 120.0);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAccessibleName(text.trimmed());
    return l;
}

QLabel* band(QWidget* parent, const QString& name, const QString& text, const QColor& textColor,
             const QColor& background, int heightPx, bool bold)
{
    QLabel* l = label(parent, name, text);
    QFont font = l->font();
    font.setBold(bold);
    font.setPixelSize(px(heightPx));
    l->setFont(font);
    l->setAutoFillBackground(true);
    QPalette palette = l->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, textColor);
    l->setPalette(palette);
    l->setContentsMargins(px(8), px(4), px(8), px(4));
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.trimmed());
    if (!tooltip.isEmpty())
        b->setToolTip(tooltip);
    return b;
}

QToolButton* imageButton(QWidget* parent, const QString& name, const QString& picture, const QString& tooltip,
                         const QString& accessibleName, int sizePx)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(QIcon(QStringLiteral(":/images/") + picture + QStringLiteral(".png")));
    b->setIconSize(QSize(px(32), px(32)));
    b->setFixedSize(px(sizePx), px(sizePx));
    b->setAutoRaise(true);
    if (!tooltip.isEmpty())
        b->setToolTip(tooltip);
    b->setAccessibleName(accessibleName);
    return b;
}

QLineEdit* edit(QWidget* parent, const QString& name, const QString& fieldLabel, const QString& text)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setAccessibleName(fieldLabel);
    return e;
}

QComboBox* pickList(QWidget* parent, const QString& name, const QString& fieldLabel, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(fieldLabel);
    combo->addItems(items);
    return combo;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setAccessibleName(caption);
    return c;
}

QListWidget* checkList(QWidget* parent, const QString& name, const QString& accessibleName,
                       const QStringList& items)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    for (const QString& item : items)
        addCheckItem(list, item);
    return list;
}

void addCheckItem(QListWidget* list, const QString& text, const QVariant& data)
{
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
    if (data.isValid())
        item->setData(Qt::UserRole, data);
}

void toggleAllChecks(QListWidget* list)
{
    if (list->count() == 0)
        return;
    const QListWidgetItem* reference =
        list->currentItem() && list->currentItem()->isSelected() ? list->currentItem() : list->item(0);
    const Qt::CheckState state = reference->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(state);
}

} // namespace Widgets
