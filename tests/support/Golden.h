#pragma once
// Golden pictures: pictures kept under a test folder (looked at by eye once) that a drawing must match.
#include <QImage>
#include <QString>

namespace Golden {

// The golden picture's path: tests/<folder>/<name>.png under the source tree.
QString Path(const QString& folder, const QString& name);
// Empty when the picture equals the golden one; otherwise what differs (the drawn picture is saved in
// the temporary folder beside it). PIXMURA_WRITE_GOLDEN=1 writes the picture as the golden one instead.
QString Compare(const QImage& image, const QString& folder, const QString& name);

}  // namespace Golden
