#pragma once

#include <QString>

class QWidget;

// Lays out a page as a title band over a bevelled panel; returns the panel's content area.
QWidget* pageFrame(QWidget* page, const QString& bandName, const QString& title);
