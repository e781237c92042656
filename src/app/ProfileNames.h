#pragma once

class QComboBox;

// Fills a profile drop-down with the stored profile names, in stored order, none chosen.
void fillProfileNames(QComboBox* combo);
