// The project editor's rules: the typed name of a deletion, the anchor file, the footer,
// and saving against the fake service.
#include "core/library/project_editor_model.h"
#include "core/async/timing.h"
#include "support/library_fixture.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

LibraryProject cafe() {
  LibraryProject project("p1", "Café", "Calmer sign-up", "landing", "new");
  project.contextAttachment = LibraryAnchor("hero.png", "image/png", 1200, "https://files.example/hero.png");
  return project;
}

struct EditorFixture : LibraryFixture {
  TemporaryFolder folder;
  int closed = 0;

  EditorFixture() {
    routeLibrary({cafe()}, {});
    configure();
    service.clearRequests();
  }
  std::unique_ptr<ProjectEditorModel> editor(std::optional<LibraryProject> project) {
    return std::make_unique<ProjectEditorModel>(*state, std::move(project), [this] { ++closed; });
  }
  std::filesystem::path file(const std::string& name, const std::string& bytes) {
    const auto path = folder.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

}  // namespace

TEST(ProjectEditorModel, DeleteNeedsTheSavedNameTypedNotTheDraftName) {
  EditorFixture f;
  auto editor = f.editor(cafe());
  EXPECT_EQ(editor->header(), "Project settings");
  EXPECT_EQ(editor->intentLine(), "Build something new");
  EXPECT_EQ(editor->confirmationPrompt(), "Type Café to confirm.");
  editor->setName("Renamed");
  editor->setDeletingProject(true);
  EXPECT_EQ(editor->primaryTitle(), "Delete project");
  EXPECT_FALSE(editor->primaryEnabled());
  editor->confirmName = std::string("Renamed");
  EXPECT_FALSE(editor->deleteAllowed());
  editor->confirmName = std::string("  Cafe\u0301 \n");
  EXPECT_TRUE(editor->deleteAllowed()) << "trimmed and canonically equivalent";
  editor->confirmName = std::string("café");
  EXPECT_FALSE(editor->deleteAllowed()) << "case counts";
  editor->setDeletingProject(false);
  EXPECT_EQ(editor->primaryTitle(), "Save changes");
  EXPECT_EQ(*editor->confirmName, "café") << "the typed name stays when the zone closes";

  LibraryProject unnamed("p2", "   ");
  auto blank = f.editor(unnamed);
  blank->setDeletingProject(true);
  EXPECT_FALSE(blank->deleteAllowed()) << "nothing typed never deletes";
}

TEST(ProjectEditorModel, FocusTaskWaitsAndGivesWayToBusy) {
  async::ScopedTimeScale fast(0.05);
  EditorFixture f;
  auto editor = f.editor(cafe());
  editor->setDeletingProject(true);
  EXPECT_FALSE(*editor->confirmationFocused);
  ASSERT_TRUE(runUntil([&] { return *editor->confirmationFocused; }));
  editor->setDeletingProject(false);
  EXPECT_FALSE(*editor->confirmationFocused);

  f.state->busy = true;
  editor->setDeletingProject(true);
  runFor(std::chrono::milliseconds(60));
  EXPECT_FALSE(*editor->confirmationFocused) << "a busy library keeps focus where it is";
}

TEST(ProjectEditorModel, AnchorFilePickingAndRemoval) {
  EditorFixture f;
  auto editor = f.editor(cafe());
  EXPECT_EQ(editor->shownFileName(), "hero.png");
  EXPECT_EQ(editor->anchorButtonTitle(), "Replace anchor file");
  auto buttons = editor->chipButtons();
  EXPECT_TRUE(buttons.viewSaved && buttons.viewSavedEnabled && buttons.saveFile && buttons.saveFileEnabled);

  waitFor(editor->filePicked(f.file("brief.pdf", "%PDF-1.4 sample")));
  EXPECT_EQ(editor->shownFileName(), "brief.pdf");
  buttons = editor->chipButtons();
  EXPECT_FALSE(buttons.viewPending);
  EXPECT_TRUE(buttons.viewSaved) << "a pending PDF leaves the saved image viewable";
  EXPECT_FALSE(buttons.saveFile);

  waitFor(editor->filePicked(f.file("notes.txt", "plain text")));
  EXPECT_EQ(*editor->fileError, "Anchor must be PNG, JPG, WEBP, GIF, or PDF.");
  EXPECT_EQ(editor->shownFileName(), "brief.pdf") << "a failed pick keeps the earlier file";
  editor->pickFailed("The panel failed.");
  EXPECT_EQ(editor->errorMessage(), "The panel failed.");
  EXPECT_EQ(editor->shownFileName(), "brief.pdf");

  editor->removeAnchor();
  EXPECT_EQ(editor->shownFileName(), "hero.png") << "the pending file goes first";
  EXPECT_FALSE(editor->draft->removeAnchor);
  editor->removeAnchor();
  EXPECT_TRUE(editor->draft->removeAnchor);
  EXPECT_EQ(editor->shownFileName(), std::nullopt);
  EXPECT_EQ(editor->anchorButtonTitle(), "Add an anchor file");

  const std::string png("\x89PNG\r\n\x1a\n", 8);
  waitFor(editor->filePicked(f.file("new.png", png)));
  EXPECT_FALSE(editor->draft->removeAnchor);
  EXPECT_EQ(*editor->fileError, std::nullopt);
  EXPECT_TRUE(editor->chipButtons().viewPending);
  editor->viewPendingImage();
  ASSERT_TRUE(f.state->anchorPreview->has_value());
  EXPECT_EQ((*f.state->anchorPreview)->title, "new.png");
  ASSERT_TRUE((*f.state->anchorPreview)->data);
  EXPECT_EQ(*(*f.state->anchorPreview)->data, png);
  EXPECT_TRUE(f.service.requests().empty()) << "the picked file is shown without a download";
}

TEST(ProjectEditorModel, TypeChipsToggleAndIntentSelects) {
  EditorFixture f;
  auto editor = f.editor(std::nullopt);
  EXPECT_EQ(editor->header(), "Start something");
  EXPECT_EQ(editor->idealHeight(), 760);
  EXPECT_EQ(editor->draft->kind, "landing");
  editor->toggleKind("landing");
  EXPECT_EQ(editor->draft->kind, "");
  editor->toggleKind("landing");
  editor->toggleKind("dashboard");
  EXPECT_EQ(editor->draft->kind, "dashboard");
  editor->chooseIntent("new");
  editor->chooseIntent("new");
  EXPECT_EQ(editor->draft->intent, "new");
  EXPECT_FALSE(editor->chipButtons().saveFile) << "nothing to save while creating";
  EXPECT_EQ(editor->primaryTitle(), "Create project");
  EXPECT_FALSE(editor->primaryEnabled()) << "no name yet";
  editor->setName("  \n");
  EXPECT_FALSE(editor->primaryEnabled());
}

TEST(ProjectEditorModel, SavingNothingClosesWithoutARequest) {
  EditorFixture f;
  auto editor = f.editor(cafe());
  const auto saving = editor->primary();
  waitFor(saving);
  EXPECT_TRUE(saving.result());
  EXPECT_EQ(f.closed, 1);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectEditorModel, CreatingOpensTheNewProjectAndAFailureKeepsTheSheet) {
  EditorFixture f;
  auto editor = f.editor(std::nullopt);
  editor->setName("Quay");
  f.service.reply("POST", "/api/desktop/projects", Reply::error(422, "That name is taken."));
  auto failing = editor->primary();
  waitFor(failing);
  EXPECT_FALSE(failing.result());
  EXPECT_EQ(f.closed, 0);
  EXPECT_EQ(editor->errorMessage(), "That name is taken.");

  LibraryProject quay("p9", "Quay", std::nullopt, "landing", "redesign");
  f.service.reply("POST", "/api/desktop/projects", Reply::json(R"({"id":"p9"})"));
  f.service.reply("GET", "/api/desktop/projects/p9", Reply::json(nlohmann::json{{"project", quay.toJson()}}.dump()));
  auto creating = editor->primary();
  EXPECT_EQ(editor->primaryTitle(), "Saving…");
  EXPECT_FALSE(editor->cancelEnabled());
  waitFor(creating);
  EXPECT_TRUE(creating.result());
  EXPECT_EQ(f.closed, 1);
  ASSERT_TRUE(f.state->selected->has_value());
  EXPECT_EQ((*f.state->selected)->id, "p9") << "the new project is open";
}

TEST(ProjectEditorModel, DeletingClosesTheSheet) {
  EditorFixture f;
  auto editor = f.editor(cafe());
  editor->setDeletingProject(true);
  editor->confirmName = std::string("Café");
  f.service.reply("DELETE", "/api/desktop/projects/p1", Reply::json("{}"));
  auto deleting = editor->primary();
  EXPECT_EQ(editor->primaryTitle(), "Deleting…");
  waitFor(deleting);
  EXPECT_TRUE(deleting.result());
  EXPECT_EQ(f.closed, 1);
  EXPECT_TRUE(f.state->projects->empty());
}
