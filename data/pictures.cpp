#include "pictures.h"

namespace noctiva::pictures {

QString path(QStringView name) {
    QString result = QStringLiteral(":/pictures/");
    result.append(name);
    result.append(QStringLiteral(".svg"));
    return result;
}

}  // namespace noctiva::pictures
