#include "database/passwordhash.h"

#include <QByteArray>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <stdexcept>

namespace passwords {
namespace {

constexpr int kIterations = 100000;
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
const QString kScheme = "pbkdf2-sha256";

QByteArray derive(const QString& password, const QByteArray& salt, int iterations) {
    const QByteArray utf8 = password.toUtf8();
    QByteArray out(kHashBytes, '\0');
    if (PKCS5_PBKDF2_HMAC(utf8.constData(), int(utf8.size()), reinterpret_cast<const unsigned char*>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), kHashBytes,
                          reinterpret_cast<unsigned char*>(out.data())) != 1)
        throw std::runtime_error("PBKDF2 failed");
    return out;
}

}  // namespace

QString hash(const QString& password) {
    QByteArray salt(kSaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), kSaltBytes) != 1)
        throw std::runtime_error("no random bytes for a password salt");
    return QStringList{kScheme, QString::number(kIterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, kIterations).toBase64())}
        .join('$');
}

bool verify(const QString& typed, const QString& stored) {
    const QStringList parts = stored.split('$');
    if (parts.size() != 4 || parts[0] != kScheme) return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations <= 0) return false;
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    const QByteArray actual = derive(typed, QByteArray::fromBase64(parts[2].toLatin1()), iterations);
    return expected.size() == actual.size() && CRYPTO_memcmp(expected.constData(), actual.constData(), actual.size()) == 0;
}

}  // namespace passwords
