#include "core/platform/sha256.h"
#include "core/records/account_records.h"
#include "core/records/audit_records.h"
#include "core/records/json_fields.h"
#include "core/records/run_records.h"
#include "core/records/session_records.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

#include <cstdint>

using nlohmann::json;
using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;
using namespace vesk;
using namespace std::chrono_literals;

namespace {

// The "runs" list of a library reply, decoded the way the client reads it.
std::vector<SavedAudit> decodeRuns(const std::string& reply) {
  return JsonFields(vesk::parseJsonDocument(reply), "library").list<SavedAudit>("runs");
}

std::string runsFailure(const std::string& reply) {
  try {
    decodeRuns(reply);
  } catch (const DecodingError& error) {
    return error.detail();
  }
  return "";
}

const char* const requiredOnlyRun =
    R"({"id":"r1","projectId":"p1","projectName":"Atlas","status":"complete","output":"# Report"})";

SavedAudit fullRun() {
  return SavedAudit("r1", "p1", "Caf\u00e9 Atlas", "complete", "# R\u00e9sum\u00e9 \u2014 ok\n", "full", false,
                    "2024-05-01T10:00:00Z", true, "https://example.com\nBrief", 7, "vesk");
}

}  // namespace

TEST(RunState, QuestionsAndOutputAreRequiredEvenWhenEmpty) {
  const struct {
    const char* reply;
    const char* failure;  // nullptr: decodes
  } cases[] = {
      {R"({"id":"r","status":"discovery","output":""})", "questions: missing"},
      {R"({"id":"r","status":"discovery","output":"","questions":null})", "questions: null"},
      {R"({"id":"r","status":"discovery","output":"","questions":{}})", "questions: expected a list, got object"},
      {R"({"id":"r","status":"discovery","questions":[]})", "output: missing"},
      {R"({"id":"r","status":"discovery","output":"","questions":[]})", nullptr},
      {R"({"id":"r","status":"discovery","output":"","questions":[{"text":"Who?","options":["A"]},{"text":"Why?"}]})",
       "questions[1].options: missing"},
      {R"({"id":"r","status":"discovery","output":"","questions":[{"text":"Who?","options":["A",2]}]})",
       "questions[0].options[1]: expected text, got number"},
      {R"({"id":"r","status":"discovery","output":"","questions":["Who?"]})",
       "questions[0]: expected an object, got string"},
      {R"({"id":"r","status":"failed","output":"","questions":[],"retryable":"yes"})",
       "retryable: expected true or false, got string"},
      {R"({"id":"r","status":"failed","output":"","questions":[],"refundConfirmed":1})",
       "refundConfirmed: expected true or false, got number"},
  };
  for (const auto& c : cases) {
    const auto failure = decodingFailure<RunState>(c.reply);
    if (c.failure) {
      EXPECT_EQ(failure, std::optional<std::string>(c.failure)) << c.reply;
    } else {
      EXPECT_EQ(failure, std::nullopt) << c.reply;
    }
  }
}

TEST(RunState, DecodesEveryMemberAndKeepsUnknownTextsAsSent) {
  const auto run = decodeRecord<RunState>(
      R"({"id":"r9","status":"queued-somewhere","output":"","questions":[{"text":"Who is it for?","options":["Me","Me","Them"]}],
          "refundConfirmed":true,"auditMode":"full","retryable":false,"partial":null,"agent":"vesk","extra":{"x":[null]},
          "Status":"ignored"})");
  const RunState expected("r9", "queued-somewhere", "", {DiscoveryQuestion("Who is it for?", {"Me", "Me", "Them"})},
                          true, "full", false, std::nullopt, "vesk");
  EXPECT_EQ(run, expected);
}

TEST(SavedAudit, OneBadRunFailsTheWholeList) {
  const std::string good = requiredOnlyRun;
  const auto reply = [&](const std::string& member) {
    return R"({"runs":[)" + good +
           R"(,{"id":"r2","projectId":"p1","projectName":"Atlas","status":"running","output":"")" + member + "}]}";
  };
  EXPECT_EQ(runsFailure(reply(R"(,"runNumber":"3")")),
            "runs[1].runNumber: expected a whole number within signed 64 "
            "bits, got string");
  EXPECT_EQ(runsFailure(reply(R"(,"runNumber":3.5)")),
            "runs[1].runNumber: expected a whole number within signed 64 bits, got 3.5");
  EXPECT_EQ(runsFailure(reply(R"(,"runNumber":9223372036854775808)")),
            "runs[1].runNumber: expected a whole number within signed 64 bits, got 9223372036854775808");
  EXPECT_EQ(runsFailure(reply(R"(,"fixture":1)")), "runs[1].fixture: expected true or false, got number");
  EXPECT_EQ(runsFailure(reply(R"(,"agent":null,"status":null)")), "runs[1].status: null");
  EXPECT_EQ(runsFailure(R"({"runs":{}})"), "runs: expected a list, got object");

  const auto runs = decodeRuns(reply(R"(,"runNumber":null,"fixture":true,"auditMode":null)"));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].runNumber, std::nullopt);
  EXPECT_EQ(runs[1].auditMode, std::nullopt);
  EXPECT_EQ(runs[1].fixture, true);
  EXPECT_EQ(decodeRuns(reply(R"(,"runNumber":3.0)"))[1].runNumber, 3);
  EXPECT_TRUE(decodeRuns(R"({"runs":[]})").empty());
}

TEST(SavedAudit, RequiredOnlyRunReencodesToExactlyItsFiveKeys) {
  const auto run = decodeRecord<SavedAudit>(requiredOnlyRun);
  EXPECT_FALSE(run.auditMode || run.fixture || run.createdAt || run.partial || run.input || run.runNumber || run.agent);
  EXPECT_EQ(run.toJson(), json::parse(requiredOnlyRun));
  EXPECT_EQ(run.toJson().dump().find("null"), std::string::npos);
}

TEST(SavedAudit, RoundTripsEveryMember) {
  const SavedAudit run = fullRun();
  const json encoded = run.toJson();
  EXPECT_EQ(encoded.size(), 12u);
  EXPECT_EQ(encoded["runNumber"], 7);
  EXPECT_EQ(encoded["fixture"], false);
  const auto decoded = decodeRecord<SavedAudit>(encoded.dump());
  EXPECT_EQ(decoded, run);
  EXPECT_EQ(decoded.output, run.output);  // byte for byte, not only equivalent
}

TEST(SavedAudit, EqualityTakesInAllTwelveMembersByCanonicalEquivalence) {
  const SavedAudit base = fullRun();
  SavedAudit decomposed = base;
  decomposed.projectName = "Cafe\u0301 Atlas";
  decomposed.output = "# Re\u0301sume\u0301 \u2014 ok\n";
  EXPECT_EQ(base, decomposed);

  const std::vector<std::pair<const char*, std::function<void(SavedAudit&)>>> changes = {
      {"output", [](SavedAudit& r) { r.output = r.output.str() + " "; }},
      {"status", [](SavedAudit& r) { r.status = "running"; }},
      {"status case", [](SavedAudit& r) { r.status = "Complete"; }},
      {"id", [](SavedAudit& r) { r.id = "r2"; }},
      {"projectId", [](SavedAudit& r) { r.projectId = "p2"; }},
      {"auditMode absent", [](SavedAudit& r) { r.auditMode.reset(); }},
      {"fixture absent", [](SavedAudit& r) { r.fixture.reset(); }},
      {"fixture true", [](SavedAudit& r) { r.fixture = true; }},
      {"createdAt", [](SavedAudit& r) { r.createdAt = "2024-05-01T10:00:01Z"; }},
      {"partial", [](SavedAudit& r) { r.partial = false; }},
      {"input", [](SavedAudit& r) { r.input = ""; }},
      {"runNumber", [](SavedAudit& r) { r.runNumber = 8; }},
      {"agent absent", [](SavedAudit& r) { r.agent.reset(); }},
  };
  for (const auto& [what, change] : changes) {
    SavedAudit changed = base;
    change(changed);
    EXPECT_FALSE(changed == base) << what;
    EXPECT_FALSE(base == changed) << what;
  }
}

TEST(DiscoveryQuestion, EqualityIsByTextThenOptionsInOrder) {
  const DiscoveryQuestion question("Who uses it?", {"Founders", "Caf\u00e9 owners"});
  EXPECT_EQ(question, DiscoveryQuestion("Who uses it?", {"Founders", "Cafe\u0301 owners"}));
  EXPECT_NE(question, DiscoveryQuestion("Who uses it?", {"Caf\u00e9 owners", "Founders"}));
  EXPECT_NE(question, DiscoveryQuestion("Who uses it?", {"Founders"}));
  EXPECT_NE(question, DiscoveryQuestion("Who uses it?", {"Founders", "Caf\u00e9 owners", "Founders"}));
  EXPECT_NE(question, DiscoveryQuestion("who uses it?", {"Founders", "Caf\u00e9 owners"}));
  EXPECT_EQ(decodeRecord<DiscoveryQuestion>(question.toJson().dump()), question);
}

TEST(Account, NestedAllowancesDecodeByTheSameRules) {
  const struct {
    const char* reply;
    const char* failure;
  } cases[] = {
      {R"({"email":"a@b.c","auditBalance":2,"plan":"pro","quick":{"allowed":true,"remainingToday":1}})",
       "quick.perDay: missing"},
      {R"({"email":"a@b.c","auditBalance":2,"plan":"pro","quick":"yes"})", "quick: expected an object, got string"},
      {R"({"email":"a@b.c","auditBalance":2,"plan":"pro","caps":{"urlsPerRun":2.5}})",
       "caps.urlsPerRun: expected a whole number within signed 64 bits, got 2.5"},
      {R"({"email":"a@b.c","auditBalance":2,"plan":"pro","freeWeek":{"active":true}})", "freeWeek.daysLeft: missing"},
      {R"({"email":"a@b.c","auditBalance":2,"plan":"pro","membershipActive":"true"})",
       "membershipActive: expected true or false, got string"},
      {R"({"email":"a@b.c","auditBalance":"2","plan":"pro"})",
       "auditBalance: expected a whole number within signed 64 bits, got string"},
      {R"({"Email":"a@b.c","auditBalance":2,"plan":"pro"})", "email: missing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodingFailure<Account>(c.reply), std::optional<std::string>(c.failure)) << c.reply;
  }

  const auto bare = decodeRecord<Account>(R"({"email":"a@b.c","auditBalance":0,"plan":"free","quick":null})");
  EXPECT_EQ(bare, Account("a@b.c", 0, "free"));
  const auto week = decodeRecord<Account>(
      R"({"email":"a@b.c","auditBalance":0,"plan":"free","freeWeek":{"active":true,"daysLeft":3}})");
  EXPECT_EQ(week.freeWeek, FreeWeek(true, std::nullopt, 3));
}

TEST(Account, RoundTripsEveryMember) {
  const Account account("a@b.c", 4, "studio", QuickAccess(false, "Daily limit reached", 5, 60, 0, 2, 0), RunCaps(4),
                        "Ad\u00e8le", FreeWeek(false, "2024-06-01T00:00:00Z", 0), true, "annual");
  const json encoded = account.toJson();
  EXPECT_EQ(encoded["quick"]["reason"], "Daily limit reached");
  EXPECT_EQ(encoded["caps"], json::parse(R"({"urlsPerRun":4})"));
  EXPECT_EQ(decodeRecord<Account>(encoded.dump()), account);

  const Account bare("a@b.c", 0, "free", QuickAccess(true, std::nullopt, 3, std::nullopt, 3));
  EXPECT_EQ(bare.toJson(), json::parse(R"({"email":"a@b.c","auditBalance":0,"plan":"free",
                                          "quick":{"allowed":true,"perDay":3,"remainingToday":3}})"));
}

TEST(TokenResponse, KeysAreExactlyAccessTokenAndExpiresIn) {
  EXPECT_EQ(decodingFailure<TokenResponse>(R"({"Access_token":"t","expires_in":5})"),
            std::optional<std::string>("access_token: missing"));
  EXPECT_EQ(decodingFailure<TokenResponse>(R"({"accessToken":"t","expiresIn":5})"),
            std::optional<std::string>("access_token: missing"));
  EXPECT_EQ(decodingFailure<TokenResponse>(R"({"access_token":"t","expires_in":"5"})"),
            std::optional<std::string>("expires_in: expected a whole number within signed 64 bits, got string"));
  EXPECT_EQ(
      decodeRecord<TokenResponse>(R"({"token_type":"bearer","access_token":"t","expires_in":5,"scope":[1,null]})"),
      TokenResponse("t", 5));
}

TEST(SessionRecord, RoundTripsWithExpiresAsSecondsSince2001) {
  const std::chrono::sys_seconds reference{978307200s};  // 2001-01-01 00:00:00 UTC
  const SessionRecord anHourIn("tok", "https://vesk.app", reference + 1h);
  EXPECT_EQ(anHourIn.toJson(), json::parse(R"({"token":"tok","origin":"https://vesk.app","expires":3600.0})"));

  const auto now = std::chrono::system_clock::now();
  const SessionRecord session("t\u00f6ken", "http://127.0.0.1:8787", now + 24h);
  const json encoded = session.toJson();
  EXPECT_TRUE(encoded["expires"].is_number());
  const auto decoded = decodeRecord<SessionRecord>(encoded.dump());
  EXPECT_EQ(decoded, session);
  EXPECT_LT(std::chrono::abs(decoded.expires - (now + 24h)), 1us);

  const auto fractional = decodeRecord<SessionRecord>(R"({"token":"t","origin":"o","expires":721692800.25})");
  EXPECT_EQ(fractional.expires, std::chrono::sys_seconds{1700000000s} + 250ms);
  EXPECT_EQ(decodeRecord<SessionRecord>(R"({"token":"t","origin":"o","expires":-3600})").expires, reference - 1h);
}

TEST(SessionRecord, KeepsEveryMicrosecondUpToTheStorableLimit) {
  const std::chrono::sys_seconds reference{978307200s};
  // Past 2^32 seconds a double's step nears a microsecond: each of these must come back
  // exactly, written by the client or by hand.
  std::uint64_t mix = 0x9e3779b97f4a7c15u;
  for (int i = 0; i < 200'000; ++i) {
    mix = mix * 6364136223846793005u + 1442695040888963407u;
    const auto span = static_cast<std::int64_t>(8'000'000'000'000'000 - 4'294'967'296'000'000);
    const auto micros = 4'294'967'296'000'000 + static_cast<std::int64_t>(mix >> 11) % span;
    for (const std::int64_t signedMicros : {micros, -micros}) {
      const SessionRecord session("t", "o", reference + std::chrono::microseconds(signedMicros));
      ASSERT_EQ(decodeRecord<SessionRecord>(session.toJson().dump()), session) << signedMicros;
    }
  }
  const auto handWritten = decodeRecord<SessionRecord>(R"({"token":"t","origin":"o","expires":4294967296.000001})");
  EXPECT_EQ(handWritten.expires, reference + 4294967296s + 1us);
  const auto atTheLimit = decodeRecord<SessionRecord>(R"({"token":"t","origin":"o","expires":7999999999.999999})");
  EXPECT_EQ(atTheLimit.expires, reference + 7999999999s + 999999us);
}

TEST(SessionRecord, RefusesAnExpiryThatIsNotAUsableNumber) {
  const struct {
    const char* stored;
    const char* failure;
  } cases[] = {
      {R"({"token":"t","origin":"o","expires":"2024-05-01T10:00:00Z"})", "expires: expected a number, got string"},
      {R"({"token":"t","origin":"o"})", "expires: missing"},
      {R"({"token":"t","origin":"o","expires":1e300})", "expires: outside the range of dates the client can hold"},
      {R"({"token":"t","origin":"o","expires":-1e300})", "expires: outside the range of dates the client can hold"},
      {R"({"origin":"o","expires":0})", "token: missing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodingFailure<SessionRecord>(c.stored), std::optional<std::string>(c.failure)) << c.stored;
  }
}

TEST(AuditAttachment, IdentityIsFilenameAndTheSha256OfTheData) {
  const AuditAttachment shot("shot.png", "image/png", "iVBORw0KGgo=");
  EXPECT_EQ(shot.id(), "shot.png:" + vesk::glib::sha256Hex("iVBORw0KGgo="));
  EXPECT_EQ(shot.id(), AuditAttachment("shot.png", "image/webp", "iVBORw0KGgo=").id());
  EXPECT_NE(shot.id(), AuditAttachment("shot.png", "image/png", "iVBORw0KGgp=").id());
  EXPECT_NE(shot.id(), AuditAttachment("other.png", "image/png", "iVBORw0KGgo=").id());

  EXPECT_EQ(shot.toJson(), json::parse(R"({"filename":"shot.png","mediaType":"image/png","data":"iVBORw0KGgo="})"));
  EXPECT_EQ(decodeRecord<AuditAttachment>(shot.toJson().dump()), shot);
  EXPECT_EQ(decodingFailure<AuditAttachment>(R"({"filename":"a.txt","data":""})"),
            std::optional<std::string>("mediaType: missing"));
}
