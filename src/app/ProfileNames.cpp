#include "ProfileNames.h"

#include "store/ProfileList.h"

#include <QComboBox>

void fillProfileNames(QComboBox* combo)
{
    combo->clear();
    combo->addItems(readProfileNames(readStoredProfileList()));
    combo->setCurrentIndex(-1);
}
