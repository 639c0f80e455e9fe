#include "database/passwordhash.h"

#include <QByteArray>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <optional>
#include <stdexcept>

namespace passwords {
namespace {

constexpr int kIterations = 100000;
// A stored count above this is damage, not a choice: running it would hold the
// login for minutes (or hours), so such a hash is refused unrun.
constexpr int kMostIterations = 10'000'000;
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

// Strict base64, as hash() writes it; nullopt for anything else.
std::optional<QByteArray> decoded(const QString& text) {
    const auto result = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return result ? std::optional<QByteArray>(result.decoded) : std::nullopt;
}

// The iteration count as hash() writes it: plain decimal digits, no sign or
// blanks, within 1 .. kMostIterations; 0 otherwise.
int iterationCount(const QString& text) {
    if (text.isEmpty() || text.size() > 8) return 0;
    for (const QChar c : text)
        if (c < '0' || c > '9') return 0;
    const int count = text.toInt();
    return count <= kMostIterations ? count : 0;
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
    // A damaged hash verifies nothing and is never run.
    const int iterations = iterationCount(parts[1]);
    const std::optional<QByteArray> salt = decoded(parts[2]);
    const std::optional<QByteArray> expected = decoded(parts[3]);
    if (iterations == 0 || !salt || salt->isEmpty() || !expected || expected->size() != kHashBytes) return false;
    const QByteArray actual = derive(typed, *salt, iterations);
    return CRYPTO_memcmp(expected->constData(), actual.constData(), kHashBytes) == 0;
}

}  // namespace passwords
