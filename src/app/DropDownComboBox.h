#pragma once

#include <QComboBox>

// A pick-only drop-down that announces itself just before its list opens, so that the
// list can be filled fresh each time.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        emit aboutToDropDown();
        QComboBox::showPopup();
    }

signals:
    void aboutToDropDown();
};
