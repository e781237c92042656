#include "Main.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent) {}
