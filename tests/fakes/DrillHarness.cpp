#include "DrillHarness.h"

DrillHarness::DrillHarness()
{
    speech.setDoneHandler([this] { session.PtSvr1_SpeechDone(); });
}

void DrillHarness::type(const std::string& keys)
{
    for (char key : keys) {
        press(static_cast<unsigned char>(key));
        endKeyGuard();
    }
}

void DrillHarness::press(int key)
{
    session.Form_KeyPress(static_cast<std::int16_t>(key));
}

void DrillHarness::endKeyGuard()
{
    if (view.isTimerEnabled(Timer::Timer2))
        session.Timer2_Timer();
}
