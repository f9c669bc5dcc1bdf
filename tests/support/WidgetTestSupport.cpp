#include "tests/support/WidgetTestSupport.h"

#include <QFontDatabase>

namespace rockpile::testing {

QString MissingReportFont()
{
    for (const char* family : {"SimHei", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return {};
    return QStringLiteral(
        "no CJK monospace font for the report views: install the Debian package fonts-wqy-zenhei "
        "(WenQuanYi Zen Hei Mono)");
}

}  // namespace rockpile::testing
