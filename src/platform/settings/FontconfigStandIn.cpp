#include "platform/settings/FontconfigStandIn.h"

#include <fontconfig/fontconfig.h>

namespace quaredit {

QString fontconfigStandIn(const QString& family) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return {};
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcValue monospace;
    monospace.type = FcTypeString;
    monospace.u.s = reinterpret_cast<const FcChar8*>("monospace");
    FcPatternAddWeak(pattern, FC_FAMILY, monospace, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    QString picked;
    FcChar8* matched = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch)
        picked = QString::fromUtf8(reinterpret_cast<const char*>(matched));
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return picked;
}

} // namespace quaredit
