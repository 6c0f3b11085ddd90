#include "link/box_fault_prompt.h"

#include "ui/seams.h"

#include <QString>

zuzo::FaultAnswer BoxFaultPrompt::ask(const zuzo::FaultQuestion& question)
{
    const MsgButtons buttons = question.offers_cancel ? MsgButtons::YesNoCancel : MsgButtons::YesNo;
    // Without anyone to ask, the link is broken off.
    const zuzo::FaultAnswer unasked =
        question.offers_cancel ? zuzo::FaultAnswer::Cancel : zuzo::FaultAnswer::No;
    if (!boxes_)
        return unasked;
    const MsgAnswer answer = boxes_->show(
        parent_, QString::fromUtf8(question.title.data(), static_cast<qsizetype>(question.title.size())),
        QString::fromUtf8(question.text.data(), static_cast<qsizetype>(question.text.size())), buttons,
        MsgIcon::Error);
    switch (answer) {
    case MsgAnswer::Yes:
        return zuzo::FaultAnswer::Yes;
    case MsgAnswer::No:
        return zuzo::FaultAnswer::No;
    case MsgAnswer::Cancel:
        return question.offers_cancel ? zuzo::FaultAnswer::Cancel : zuzo::FaultAnswer::No;
    case MsgAnswer::Ok:
        break;
    }
    return unasked;
}
