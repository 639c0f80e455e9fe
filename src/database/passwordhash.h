// Operators' passwords as stored in Aczqx.pwd: a salted, slow hash, never the text.
#pragma once

#include <QString>

namespace passwords {

// "pbkdf2-sha256$<iterations>$<salt base64>$<hash base64>" for a password.
QString hash(const QString& password);
// True when the typed password is the one the stored hash was made from.
// Passwords are compared exactly, letter case included.
bool verify(const QString& typed, const QString& stored);

}  // namespace passwords
