#include "database/passwordhash.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

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

// The right password's hash with one of its fields (1 count, 2 salt, 3 hash) replaced.
QString damaged(const QString& password, int field, const QString& text) {
    QStringList parts = passwords::hash(password).split('$');
    parts[field] = text.contains("%1") ? text.arg(parts[field]) : text;
    return parts.join('$');
}

// Verifies on a thread of its own, so that a hash the check wrongly runs for
// hours fails the test instead of holding it.
std::optional<bool> verifyOrGiveUp(const QString& typed, const QString& stored) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> result = answer->get_future();
    std::thread([answer, typed, stored] { answer->set_value(passwords::verify(typed, stored)); }).detach();
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) return std::nullopt;
    return result.get();
}

TEST(PasswordHash, ADamagedHashVerifiesNothingEvenForTheRightPassword) {
    const struct {
        int field;
        const char* text;
    } cases[] = {
        {1, "+%1"}, {1, " %1"}, {1, "%1.0"},    // a count hash() does not write
        {2, "%1!"}, {2, "%1\n"}, {2, ""},       // a salt that is not strict base64, or none
        {3, "*%1"}, {3, "AAAA"},                // a hash that is not base64, or too short
    };
    for (const auto& c : cases) {
        const QString stored = damaged("pw", c.field, c.text);
        EXPECT_FALSE(passwords::verify("pw", stored)) << stored.toStdString();
    }
}

TEST(PasswordHash, AnAbsurdIterationCountIsRefusedUnrun) {
    for (const char* count : {"10000001", "2000000000", "99999999999"}) {
        const std::optional<bool> verified = verifyOrGiveUp("pw", damaged("pw", 1, count));
        ASSERT_TRUE(verified.has_value()) << count << " iterations were run";
        EXPECT_FALSE(*verified) << count;
    }
}

}  // namespace
