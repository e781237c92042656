#pragma once

#include <QString>

// One entry of the EXPORT page's brand list as a run reads it at its start.
struct BrandEntry
{
    int id = 0; // the manufacturer id
    QString name;
    bool ticked = false;
};
