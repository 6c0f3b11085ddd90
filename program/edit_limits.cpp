#include "program/edit_limits.h"

#include "program/core/number_text.h"

namespace zuzo {

QString cut_to_limit(const QString& text, EditLimit limit)
{
    if (lenient_int(text.toStdString()) > limit.limit)
        return text.left(limit.keep);
    return text;
}

} // namespace zuzo
