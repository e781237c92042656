#include "Main.h"

void TForm1::SpeedButton10Click() {}

void TForm1::SpeedButton12Click() {}

void TForm1::Label23Click() {}
