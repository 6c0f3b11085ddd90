#pragma once
// The EEPROM fault questions of an exchange, asked in message boxes.

#include "link/exchange.h"

class MessageBoxes;
class QWidget;

class BoxFaultPrompt : public zuzo::FaultPrompt {
public:
    // boxes and parent are looked up at each question (the window may be
    // built after the prompt).
    BoxFaultPrompt(MessageBoxes* const& boxes, QWidget* const& parent) : boxes_(boxes), parent_(parent) {}

    zuzo::FaultAnswer ask(const zuzo::FaultQuestion& question) override;

private:
    MessageBoxes* const& boxes_;
    QWidget* const& parent_;
};
