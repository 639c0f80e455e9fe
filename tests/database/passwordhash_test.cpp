#include "database/passwordhash.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordHash, VerifiesOnlyTheExactPassword) {
    const QString stored = passwords::hash("Abc-735");
    EXPECT_FALSE(stored.contains("Abc-735"));
    EXPECT_TRUE(passwords::verify("Abc-735", stored));
    for (const char* wrong : {"abc-735", "Abc-735 ", "", "Abc-73"}) EXPECT_FALSE(passwords::verify(wrong, stored)) << wrong;
    EXPECT_TRUE(passwords::verify("口令", passwords::hash("口令")));
}

TEST(PasswordHash, IsSaltedAndRejectsWhatItDidNotMake) {
    EXPECT_NE(passwords::hash("same"), passwords::hash("same"));
    for (const char* stored : {"", "same", "pbkdf2-sha256$x$AA==$AA==", "pbkdf2-sha256$0$AA==$AA==", "md5$1$a$b"})
        EXPECT_FALSE(passwords::verify("same", stored)) << stored;
}

}  // namespace
