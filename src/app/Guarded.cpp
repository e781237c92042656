#include "Guarded.h"

#include "Ui.h"
#include "platform/AppError.h"
#include "platform/CheckFailure.h"

void runGuarded(Ui& ui, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const CheckFailure& failure) {
        ui.message(failure.message());
    } catch (const std::exception& error) {
        ui.errorBox(errorBoxText(errorMessage(error)));
    }
}
