#pragma once

#include <QWidget>

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};
