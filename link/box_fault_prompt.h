#pragma once
// The EEPROM fault questions of an exchange, asked in message boxes.

#include "link/core/exchange.h"

class MessageBoxes;
class QWidget;

class BoxFaultPrompt : public zuzo::FaultPrompt {
public:
    // Each question is a box over parent's window.
    BoxFaultPrompt(MessageBoxes& boxes, QWidget* parent) : boxes_(boxes), parent_(parent) {}

    zuzo::FaultAnswer ask(const zuzo::FaultQuestion& question) override;

private:
    MessageBoxes& boxes_;
    QWidget* parent_;
};
