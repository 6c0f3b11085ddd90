#include "support/scripted_seams.h"

namespace {

MsgAnswer closing_answer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoOnly: // cannot be closed: a test that does not answer gets No
        return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

} // namespace

MsgAnswer ScriptedBoxes::show(QWidget* /*parent*/, const QString& title, const QString& text,
                              MsgButtons buttons, MsgIcon icon)
{
    const ShownBox box{title, text, buttons, icon};
    shown.push_back(box);
    if (busy)
        ++*busy;
    if (while_open)
        while_open(box);
    if (busy)
        --*busy;
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return default_answer.value_or(closing_answer(buttons));
}

QString ScriptedFiles::open_file(QWidget* /*parent*/, const QString& title, const QString& filter)
{
    calls.push_back({false, title, filter});
    if (open_names.empty())
        return {};
    QString name = open_names.front();
    open_names.pop_front();
    return name;
}

QString ScriptedFiles::save_file(QWidget* /*parent*/, const QString& title, const QString& filter)
{
    calls.push_back({true, title, filter});
    if (save_names.empty())
        return {};
    QString name = save_names.front();
    save_names.pop_front();
    return name;
}
