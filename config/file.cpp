#include "config/file.h"

namespace config {

QByteArray ToJson(const Configuration&, const FileInfo&) { return {}; }
codec::Result<LoadedFile> FromJson(const QByteArray&) { return codec::Result<LoadedFile>::Fail("not built yet"); }
codec::Result<LoadedFile> LoadFile(const QString&) { return codec::Result<LoadedFile>::Fail("not built yet"); }
codec::Result<bool> SaveFile(const QString&, const Configuration&, const FileInfo&)
{
    return codec::Result<bool>::Fail("not built yet");
}
QString DefaultSavedBy() { return {}; }

} // namespace config
