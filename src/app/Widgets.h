#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QWidget;

// Control factories: every control gets its component name as object name and a name for
// screen readers. Sizes are given at 120 pixels per inch and scaled to logical pixels.
namespace Widgets {

int px(int pixelsAt120Dpi);

QLabel* label(QWidget* parent, const QString& name, const QString& text);
// A full-width heading band.
QLabel* band(QWidget* parent, const QString& name, const QString& text, const QColor& text_color,
             const QColor& background, int heightPx = 18, bool bold = true);
QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tooltip = {});
QToolButton* imageButton(QWidget* parent, const QString& name, const QString& picture, const QString& tooltip,
                         const QString& accessibleName, int sizePx = 60);
QLineEdit* edit(QWidget* parent, const QString& name, const QString& fieldLabel, const QString& text = {});
QComboBox* pickList(QWidget* parent, const QString& name, const QString& fieldLabel,
                    const QStringList& items);
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption);
QListWidget* checkList(QWidget* parent, const QString& name, const QString& accessibleName,
                       const QStringList& items = {});
void addCheckItem(QListWidget* list, const QString& text, const QVariant& data = {});

// Checks or clears every entry: the opposite of the selected entry's mark, or of the first
// entry's when none is selected. An empty list stays as it is.
void toggleAllChecks(QListWidget* list);

} // namespace Widgets
