#include "link/box_fault_prompt.h"

#include "ui/seams.h"

#include <QString>

zuzo::FaultAnswer BoxFaultPrompt::ask(const zuzo::FaultQuestion& question)
{
    // The write question's No breaks the link: only its buttons answer it,
    // never Escape or the close box. The read question keeps Escape as its
    // Cancel ("ОТМЕНА"), as its text says.
    const MsgButtons buttons = question.offers_cancel ? MsgButtons::YesNoCancel : MsgButtons::YesNoOnly;
    // An answer the question does not offer breaks the link off.
    const zuzo::FaultAnswer unasked =
        question.offers_cancel ? zuzo::FaultAnswer::Cancel : zuzo::FaultAnswer::No;
    const MsgAnswer answer = boxes_.show(
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
