#include "Main.h"

void TForm1::SpeedButton16Click() {}

void TForm1::SpeedButton17Click() {}
