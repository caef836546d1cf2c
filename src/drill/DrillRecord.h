#pragma once

#include <string_view>

// What the drill tells the record of the child who is practising. The drill calls it on the
// user-interface thread, between the child's keys: an implementation only notes what happened
// and hands any writing to another thread, so the child never waits for a disk.
class DrillRecord
{
public:
    enum class Key
    {
        Kana, // a key that typed a kana
        Backspace,
        Mark, // the voiced or semi-voiced mark key, taken or not
    };

    virtual ~DrillRecord() = default;

    // The drill is on screen and the first card (or the set-up picture) is up.
    virtual void runStarted() = 0;
    // A card is presented; repeat is true when it is the same card again after a wrong answer.
    virtual void cardPresented(std::u16string_view word, bool repeat) = 0;
    // The prompt has been spoken: the child may type from now on.
    virtual void promptEnded() = 0;
    virtual void keyTaken(Key key) = 0;
    // A key the child pressed while the card was up that the drill did not take: during the
    // prompt or the key guard.
    virtual void keyDiscarded() = 0;
    // Enter judged the typed text against the card's word.
    virtual void wordJudged(std::u16string_view word, std::u16string_view typed, bool right) = 0;
    // The drill ends (Esc, the window closed); nothing is called afterwards.
    virtual void runEnded() = 0;
};
