#pragma once

// Conversions between the window's fields and the protocol layers' texts.
#include <QLineEdit>
#include <QString>

#include <string>

namespace app {

inline QString Text(const std::string& s) { return QString::fromStdString(s); }
inline std::string Str(const QLineEdit* e) { return e->text().toStdString(); }
// Text fields that travel as bytes use the local 8-bit encoding.
inline std::string Local8(const QLineEdit* e) { return e->text().toLocal8Bit().toStdString(); }
// One byte per character both ways, for fields whose device bytes must survive a read
// and write-back unchanged (a multi-byte encoding would replace invalid bytes).
inline std::string Latin1(const QLineEdit* e) { return e->text().toLatin1().toStdString(); }

} // namespace app
