#include "Main.h"

void TForm1::SpeedButton20Click() {}

void TForm1::Label40Click() {}
