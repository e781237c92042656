#include "Main.h"

void TForm1::SpeedButton19Click() {}
