#include "support/workspace_harness.h"

#include "core/async/errors.h"
#include "core/signin/browser_connection.h"
#include "core/workspace/saved_run_writer.h"
#include "core/workspace/uuid_text.h"

#include <gio/gio.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vesk::testing {

std::string desktop(const std::string& operation) { return "/api/desktop/" + operation; }

nlohmann::json accountJson(std::int64_t auditBalance, bool quickAllowed, std::optional<std::int64_t> urlsPerRun) {
  nlohmann::json account = {{"email", "ada@example.com"},
                            {"auditBalance", auditBalance},
                            {"plan", "studio"},
                            {"quick", {{"allowed", quickAllowed}, {"perDay", 5}, {"remainingToday", 4}}}};
  if (urlsPerRun) account["caps"] = {{"urlsPerRun", *urlsPerRun}};
  return account;
}

Reply meReply(bool fixture, nlohmann::json account) {
  return Reply::json(nlohmann::json{{"account", std::move(account)}, {"fixture", fixture}}.dump());
}

nlohmann::json questionsJson() {
  return nlohmann::json::array({{{"text", "Who is it for?"}, {"options", {"Buyers", "Sellers", "Both"}}},
                                {{"text", "What matters most?"}, {"options", {"Speed", "Trust"}}}});
}

nlohmann::json runJson(const std::string& id, const std::string& status, const std::string& mode,
                       const std::string& output) {
  return {{"id", id},
          {"status", status},
          {"output", output},
          {"questions", status == "discovery" ? questionsJson() : nlohmann::json::array()},
          {"auditMode", mode}};
}

nlohmann::json savedRunJson(const std::string& id, const std::string& status, const std::string& mode, bool fixture,
                            const std::string& projectName) {
  return savedRun(id, status, mode, fixture, projectName).toJson();
}

SavedAudit savedRun(const std::string& id, const std::string& status, const std::string& mode, bool fixture,
                    const std::string& projectName) {
  return SavedAudit(id, "project-1", projectName, status, status == "complete" ? "# Report" : "", mode,
                    fixture ? std::optional<bool>(true) : std::nullopt);
}

async::Task<std::optional<std::string>> FakeSaveDialog::choosePdfDestination(std::string suggestedName) {
  proposals.push_back(std::move(suggestedName));
  if (whileOpen) whileOpen();
  if (failure) throw async::PlatformError(G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED, *failure);
  co_return answer;
}

async::Task<std::optional<std::string>> FakeSaveDialog::chooseDestination(std::string suggestedName,
                                                                          SavedFileKind kind) {
  proposals.push_back(std::move(suggestedName));
  kinds.push_back(kind);
  if (whileOpen) whileOpen();
  if (failure) throw async::PlatformError(G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED, *failure);
  co_return answer;
}

WorkspaceHarness::WorkspaceHarness() {
  glib::ErrorSlot error;
  glib::GFreePtr<char> made(g_dir_make_tmp("vesk-workspace-XXXXXX", error.out()));
  if (!made) throw std::runtime_error(error.message());
  folder = std::string(made.get()) + "/Vesk";
  keychain = std::make_shared<SessionKeychain>("vesk-test-" + freshUUID());
  browser = BrowserConnection::create([anchor = anchor] { return anchor; },
                                      [this](const std::string& address) {
                                        launched.push_back(address);
                                        if (onLaunch) onLaunch();
                                        return true;
                                      });
}

WorkspaceHarness::~WorkspaceHarness() {
  keychain->clear();
  // A saved-run list still being written would land in the folder removed below.
  SavedRunWriter::finishAllWrites();
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder).parent_path(), ignored);
}

Workspace::Environment WorkspaceHarness::environment() {
  Workspace::Environment environment;
  environment.serviceOrigin = service.origin();
  environment.supportFolder = folder;
  environment.keychain = keychain;
  environment.browser = browser;
  environment.saveDialog = dialog;
  return environment;
}

void WorkspaceHarness::storeSession(std::chrono::seconds lifetime, const std::string& token,
                                    std::optional<std::string> origin) {
  keychain->save(SessionRecord(token, origin.value_or(service.origin()), std::chrono::system_clock::now() + lifetime));
}

void WorkspaceHarness::routeAccount(bool fixture, nlohmann::json account) {
  service.reply("GET", desktop("me"), meReply(fixture, std::move(account)));
  service.reply("GET", desktop("library"), Reply::json(R"({"runs":[]})"));
  service.reply("GET", desktop("projects"), Reply::json(R"({"projects":[]})"));
  service.reply("POST", desktop("revoke"), Reply::json("{}"));
}

std::shared_ptr<Workspace> WorkspaceHarness::signedIn(bool fixture, nlohmann::json account) {
  routeAccount(fixture, std::move(account));
  storeSession();
  auto workspace = Workspace::create(environment(), Workspace::SavedSession::restore);
  if (!runUntil([&] { return !*workspace->accountLoading && workspace->account->has_value(); }))
    throw std::runtime_error("the account did not load");
  runPending();  // the end of the account's load, the library and projects in it
  service.clearRequests();
  return workspace;
}

void WorkspaceHarness::routeSignIn(const std::string& token, std::int64_t expiresIn) {
  service.reply("GET", desktop("connection"), Reply::json(R"({"protocol":"vesk-desktop","version":1})"));
  service.reply("POST", desktop("token"),
                Reply::json(nlohmann::json{{"access_token", token}, {"expires_in", expiresIn}}.dump()));
  service.reply("POST", desktop("revoke"), Reply::json("{}"));
}

void WorkspaceHarness::returnFromBrowser() {
  if (launched.empty()) throw std::runtime_error("no sign-in was launched");
  // The state travels inside the redirect address: ...redirect_url=/desktop/connect?challenge=..&state=..
  glib::GFreePtr<char> decoded(g_uri_unescape_string(launched.back().c_str(), nullptr));
  const std::string address = decoded.get();
  const auto at = address.find("state=");
  const auto state = address.substr(at + 6, 43);
  const std::string code(43, 'c');
  glib::GFreePtr<char> issuer(g_uri_escape_string(service.origin().c_str(), nullptr, FALSE));
  browser->receiveCallback(VeskAppIdentity::current().callbackScheme + "://auth/callback?state=" + state +
                           "&iss=" + issuer.get() + "&code=" + code);
}

std::string WorkspaceHarness::readFile(const std::string& name) const {
  std::ifstream in(folder + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WorkspaceHarness::fileExists(const std::string& name) const {
  return std::filesystem::exists(folder + "/" + name);
}

}  // namespace vesk::testing
