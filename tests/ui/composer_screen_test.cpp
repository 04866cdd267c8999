// The composer screen in the real window, under a real pointer and keyboard: chips and
// thumbnails, the access notice and its link, the preview, the brief editor's binding,
// the address row, Ctrl+Return, drops and the comparison block.
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/framed_page.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/tips_overlay.h"
#include "ui/audit/address_row.h"
#include "ui/audit/brief_editor.h"
#include "ui/audit/comparison_block.h"
#include "ui/audit/composer_card.h"
#include "ui/audit/composer_footer.h"
#include "ui/audit/composer_page.h"
#include "ui/audit/composer_view.h"
#include "ui/audit/depth_control.h"
#include "ui/audit/source_chip.h"
#include "ui/sidebar/vesk_sidebar.h"
#include "ui/support/header_probe.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gdk/gdk.h>
#include <glib.h>
#include <gtkmm/entry.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/text.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using vesk::testing::runUntil;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;
namespace ui = vesk::ui;

namespace {

class ComposerScreenTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

ui::ComposerView& composer(ShellWindow& shell) {
  auto* page = shell.root().screenSlot().page();
  auto* view = page ? ui::composerViewIn(*page) : nullptr;
  if (!view) throw std::runtime_error("no composer shown");
  return *view;
}

std::string pngBytes(int width, int height, guint32 rgba) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(pixbuf, rgba);
  gchar* buffer = nullptr;
  gsize size = 0;
  gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "png", nullptr, nullptr);
  std::string bytes(buffer, size);
  g_free(buffer);
  g_object_unref(pixbuf);
  return bytes;
}

std::string base64(const std::string& bytes) {
  gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
  std::string text(encoded);
  g_free(encoded);
  return text;
}

void signIn(vesk::Workspace& workspace, std::int64_t balance = 3) {
  workspace.account = vesk::Account::fromJson(vesk::testing::accountJson(balance));
}

// Emits the card's drop with these files, as a drag from a file manager would end.
bool drop(ui::ComposerCard& card, const std::vector<std::string>& uris) {
  GSList* files = nullptr;
  for (const auto& uri : uris) files = g_slist_append(files, g_file_new_for_uri(uri.c_str()));
  GValue value = G_VALUE_INIT;
  g_value_init(&value, GDK_TYPE_FILE_LIST);
  g_value_take_boxed(&value, gdk_file_list_new_from_list(files));
  g_slist_free_full(files, g_object_unref);
  gboolean handled = FALSE;
  g_signal_emit_by_name(card.dropTarget()->gobj(), "drop", &value, 10.0, 10.0, &handled);
  g_value_unset(&value);
  return handled;
}

bool focusIn(ShellWindow& shell, Gtk::Widget& widget) {
  auto* focus = shell.window().get_focus();
  return focus && (focus == &widget || focus->is_ancestor(widget));
}

// Scrolls the composer's page so that `widget` is in view.
void scrollTo(ShellWindow& shell, Gtk::Widget& widget) {
  auto* scroller = dynamic_cast<Gtk::ScrolledWindow*>(widget.get_ancestor(GTK_TYPE_SCROLLED_WINDOW));
  ASSERT_NE(scroller, nullptr);
  const auto adjustment = scroller->get_vadjustment();
  adjustment->set_value(adjustment->get_upper() - adjustment->get_page_size());
  shell.settle();
}

}  // namespace

TEST_F(ComposerScreenTest, ChipsWithAThumbnailAndTheirRemoval) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  const vesk::AuditAttachment shot("shot.png", "image/png", base64(pngBytes(40, 30, 0xC24A3AFF)));
  workspace.attachments = {shot, vesk::AuditAttachment("brief.pdf", "application/pdf", base64("%PDF-1.4 tiny"))};
  workspace.urls = "https://example.com/pricing?plan=team example.com/x";
  shell.settle();
  auto& card = composer(shell).card();
  ASSERT_TRUE(runUntil([&] { return card.decoding() == 0; }));
  shell.settle();
  const auto chips = card.chips();
  ASSERT_EQ(chips.size(), 4u);
  EXPECT_TRUE(chips[0]->hasImage()) << "the PNG shows its thumbnail";
  EXPECT_FALSE(chips[1]->hasImage()) << "a PDF shows the document symbol";
  EXPECT_FALSE(chips[0]->sizeText().empty());
  EXPECT_EQ(chips[2]->title().get_text(), "example.com");
  EXPECT_EQ(chips[2]->get_tooltip_text(), "https://example.com/pricing?plan=team");
  EXPECT_EQ(chips[3]->title().get_text(), "example.com/x");
  EXPECT_TRUE(chips[3]->sizeText().empty());
  EXPECT_LE(chips[0]->get_width(), ui::SourceChip::maximumWidth);
  vesk::testing::renderAndKeep(shell.root(), "composer.png");

  shell.clickCentre(chips[2]->removeButton());
  EXPECT_EQ(*workspace.urls, "example.com/x");
  shell.settle();
  shell.clickCentre(card.chips()[0]->removeButton());
  EXPECT_EQ(workspace.attachments->size(), 1u);

  workspace.busy = true;
  shell.settle();
  EXPECT_FALSE(card.chips()[0]->removeButton().get_sensitive());
  EXPECT_FALSE(card.depth().pill(0).get_sensitive());
  EXPECT_TRUE(card.tipsButton().get_sensitive()) << "Tips still works while busy";
  EXPECT_TRUE(card.footer().spinner().get_visible());
  EXPECT_EQ(card.footer().submitButton().get_label(), "Preparing…");
  workspace.busy = false;
}

TEST_F(ComposerScreenTest, TheAccessNoticeAndSeePlans) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace, 0);
  workspace.urls = "https://example.com";
  shell.settle();
  auto& card = composer(shell).card();
  EXPECT_NEAR(card.depth().pill(1).get_opacity(), 0.5, 0.01) << "no full audits left";
  EXPECT_FALSE(card.depth().pill(1).get_sensitive());
  workspace.auditMode = "full";
  shell.settle();
  EXPECT_EQ(card.caption().get_text(), "Eight expert angles · Uses 1 run");
  EXPECT_FALSE(card.accessRow().get_visible());
  shell.clickCentre(card.footer().submitButton());
  shell.settle();
  ASSERT_TRUE(card.accessRow().get_visible());
  EXPECT_EQ(card.accessText().get_text(), "No full audits available.");
  vesk::testing::renderAndKeep(shell.root(), "composer-access-notice.png");
  shell.clickCentre(card.seePlans());
  ASSERT_FALSE(shell.opened().empty());
  EXPECT_EQ(shell.opened().back(), *workspace.originText + "/pricing");

  shell.clickCentre(card.depth().pill(0));
  EXPECT_EQ(*workspace.auditMode, "quick");
  shell.settle();
  EXPECT_FALSE(card.accessRow().get_visible()) << "a quick read hides it";
}

TEST_F(ComposerScreenTest, ThePreview) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  workspace.fixture = true;
  workspace.auditMode = "full";
  shell.settle();
  auto& view = composer(shell);
  EXPECT_TRUE(view.previewNotice().get_visible());
  EXPECT_EQ(view.previewNotice().get_text(), "Local preview. Files stay on this computer; no model runs.");
  EXPECT_FALSE(view.card().submissionNotice().get_visible());
  EXPECT_EQ(view.card().footer().submitButton().get_label(), "Vesk");
  EXPECT_TRUE(view.card().footer().submitButton().get_sensitive()) << "enabled with an empty draft";
  EXPECT_EQ(view.card().depth().pill(1).get_opacity(), 1.0);
  vesk::testing::renderAndKeep(shell.root(), "composer-preview.png");

  // Tips opens the panel.
  shell.clickCentre(view.card().tipsButton());
  EXPECT_TRUE(*shell.root().state().showingTips);
  // The panel is on screen, where its Escape works, and holds the keyboard.
  auto& tips = shell.root().tips();
  ASSERT_TRUE(vesk::testing::runUntil([&] {
    return tips.get_mapped() && tips.panel().get_mapped() && shell.window().get_focus() == &tips.panel().closeButton();
  }));
  shell.settle();
  shell.press("Escape");
  EXPECT_TRUE(vesk::testing::runUntil([&] { return !*shell.root().state().showingTips; }));
}

TEST_F(ComposerScreenTest, TheBriefEditorFollowsTheBriefBothWays) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  auto& editor = composer(shell).card().editor();
  auto& text = editor.textView();
  EXPECT_TRUE(editor.placeholderShown());
  EXPECT_EQ(editor.placeholder().get_buffer()->get_text(), "Paste a URL and add anything Vesk should know…");
  shell.clickCentre(text);
  ASSERT_TRUE(runUntil([&] { return text.has_focus(); }));
  shell.press("a");
  EXPECT_EQ(*workspace.brief, "a");
  EXPECT_FALSE(editor.placeholderShown());
  shell.press("BackSpace");
  EXPECT_EQ(*workspace.brief, "");
  EXPECT_TRUE(editor.placeholderShown());
  shell.press("b");
  shell.press("space");
  shell.press("c");
  EXPECT_EQ(*workspace.brief, "b c");
  shell.pressChord({"Control_L", "z"});
  EXPECT_NE(*workspace.brief, "b c") << "undo writes back";
  EXPECT_EQ(*workspace.brief, text.get_buffer()->get_text().raw());

  // From outside: applied when different; an equal text leaves the cursor alone.
  workspace.brief = "hello there";
  EXPECT_EQ(text.get_buffer()->get_text(), "hello there");
  text.get_buffer()->place_cursor(text.get_buffer()->get_iter_at_offset(3));
  workspace.brief.signalChanged().emit();
  EXPECT_EQ(text.get_buffer()->get_insert()->get_iter().get_offset(), 3);

  // During a composition an outside change waits for its end.
  g_signal_emit_by_name(text.gobj(), "preedit-changed", "ka");
  workspace.brief = "outside";
  EXPECT_EQ(text.get_buffer()->get_text(), "hello there");
  g_signal_emit_by_name(text.gobj(), "preedit-changed", "");
  EXPECT_EQ(text.get_buffer()->get_text(), "outside");

  workspace.busy = true;
  EXPECT_FALSE(text.get_editable());
  shell.press("x");
  EXPECT_EQ(*workspace.brief, "outside");
  workspace.busy = false;
  EXPECT_TRUE(text.get_editable());

  // A new draft: a new editor with the draft's brief.
  workspace.draftID = "another-draft";
  shell.settle();
  EXPECT_NE(&composer(shell).card().editor(), &editor);
  EXPECT_EQ(composer(shell).card().editor().textView().get_buffer()->get_text(), "outside");
  const char* label = nullptr;
  auto* accessible = GTK_ACCESSIBLE(composer(shell).card().editor().textView().gobj());
  char* difference = gtk_test_accessible_check_property(accessible, GTK_ACCESSIBLE_PROPERTY_LABEL, "Input for Vesk");
  EXPECT_EQ(difference, label);
  g_free(difference);
}

TEST_F(ComposerScreenTest, TheAddressRowAndCtrlReturnFromTheEditor) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  shell.settle();
  auto& card = composer(shell).card();
  auto& root = shell.root().state();
  EXPECT_FALSE(card.addressRow().get_visible());
  shell.clickCentre(card.footer().addURLButton());
  shell.settle();
  ASSERT_TRUE(card.addressRow().get_visible());
  EXPECT_TRUE(runUntil([&] { return focusIn(shell, card.addressRow().field()); })) << "the field takes the focus";
  EXPECT_FALSE(card.addressRow().addButton().get_sensitive());
  SyntheticInput::typeInto(card.addressRow().field(), "example.com");
  ASSERT_TRUE(runUntil([&] { return *root.urlDraft == "example.com"; }));
  shell.settle();
  EXPECT_TRUE(card.addressRow().addButton().get_sensitive());
  shell.press("Escape");
  EXPECT_FALSE(*root.showingURLField);
  // The footer moves up as the row goes: it is clicked where it is once the row has gone.
  ASSERT_TRUE(runUntil([&] { return !card.addressRow().get_mapped(); }));
  shell.settle();
  shell.clickCentre(card.footer().addURLButton());
  ASSERT_TRUE(runUntil([&] { return *root.showingURLField && focusIn(shell, card.addressRow().field()); }));
  shell.settle();
  EXPECT_EQ(card.addressRow().field().get_text(), "example.com") << "Escape kept the text";

  // Ctrl+Return with the focus in the editor adds the address and submits: the typed
  // address counts as a source, so the button is enabled (once the composer has drawn the
  // reopened row, which a busy machine may put off past a settle).
  EXPECT_TRUE(runUntil([&] { return card.footer().submitButton().get_sensitive(); }))
      << "the row shows " << *root.showingURLField << ", its draft is \"" << *root.urlDraft << "\"";
  shell.clickCentre(card.editor().textView());
  ASSERT_TRUE(runUntil([&] { return card.editor().textView().has_focus(); }));
  shell.pressChord({"Control_L", "Return"});
  EXPECT_EQ(*workspace.urls, "https://example.com");
  EXPECT_EQ(*workspace.brief, "") << "no line break went into the brief";
  EXPECT_FALSE(*root.showingURLField);
  EXPECT_TRUE(*workspace.busy || workspace.error->has_value()) << "discovery started";
}

// Ctrl+Return submits wherever the focus is in the window, as on the discovery and review
// screens: right after start and after the sidebar's "New audit" it is outside the composer.
TEST_F(ComposerScreenTest, CtrlReturnSubmitsWhereverTheFocusIs) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  const auto submitFrom = [&](const char* start) {
    workspace.urls = std::string("https://example.com");
    workspace.error = std::nullopt;
    shell.settle();
    ASSERT_TRUE(composer(shell).card().footer().submitButton().get_sensitive()) << start;
    auto* focus = shell.window().get_focus();
    EXPECT_FALSE(focus && focus->is_ancestor(composer(shell))) << start << ": the focus is outside the composer";
    shell.pressChord({"Control_L", "Return"});
    EXPECT_TRUE(runUntil([&] { return *workspace.busy || workspace.error->has_value(); })) << start;
    ASSERT_TRUE(runUntil([&] { return !*workspace.busy; }));
  };
  submitFrom("right after start");

  auto* sidebar = dynamic_cast<ui::VeskSidebar*>(shell.root().sidebarSlot().get_first_child());
  ASSERT_NE(sidebar, nullptr);
  shell.clickCentre(sidebar->newAuditButton());
  shell.settle();
  submitFrom("after the sidebar's New audit");

  // A sheet over the composer keeps the key.
  workspace.error = std::nullopt;
  const auto sheet = shell.root().sheets().present(std::make_unique<Gtk::Entry>());
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Gtk::Text*>(shell.window().get_focus()) != nullptr; }));
  shell.pressChord({"Control_L", "Return"});
  shell.settle();
  EXPECT_FALSE(*workspace.busy || workspace.error->has_value()) << "nothing was submitted under the sheet";
  shell.root().sheets().dismiss(sheet);
}

TEST_F(ComposerScreenTest, DropsTakeLocalFilesOnly) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  shell.settle();
  auto& card = composer(shell).card();
  const auto file = shell.folder() + "/drop.png";
  std::ofstream(file, std::ios::binary) << pngBytes(4, 4, 0x336699FF);
  gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
  const std::string fileURI(uri);
  g_free(uri);

  workspace.busy = true;
  EXPECT_FALSE(drop(card, {fileURI}));
  workspace.busy = false;
  EXPECT_FALSE(drop(card, {"https://example.com/a", "http://example.com/b"}));
  EXPECT_TRUE(drop(card, {"https://example.com/a", fileURI}));
  ASSERT_TRUE(runUntil([&] { return workspace.attachments->size() == 1; }));
  EXPECT_EQ(workspace.attachments->front().filename, "drop.png");
  EXPECT_EQ(*workspace.urls, "") << "the link was not taken";
  EXPECT_EQ(*workspace.brief, "");

  shell.root().state().targeted = true;
  shell.settle();
  EXPECT_TRUE(card.content().has_css_class("targeted"));
  EXPECT_TRUE(card.dropOverlay().get_visible());
  shell.root().state().targeted = false;
  shell.settle();
  EXPECT_FALSE(card.dropOverlay().get_visible());

  // The composer gone, the shared state's changes reach nothing of it.
  workspace.screen = vesk::Screen::library;
  shell.settle();
  shell.root().state().targeted = true;
  shell.root().state().targeted = false;
  workspace.attachments.set({});
  shell.settle();
}

TEST_F(ComposerScreenTest, TheComparisonBlock) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  workspace.baselineRunID = std::string("base-1");
  shell.settle();
  auto& view = composer(shell);
  ASSERT_TRUE(view.comparison().get_visible());
  scrollTo(shell, view.comparison());
  EXPECT_EQ(view.comparison().title().get_text(), "Previous full audit");
  EXPECT_FALSE(view.comparison().date().get_visible());
  workspace.comparisonBaseline = vesk::ReportBaseline("base-1", "2025-03-04T09:00:00Z", "Checkout flow");
  shell.settle();
  EXPECT_EQ(view.comparison().title().get_text(), "Checkout flow");
  EXPECT_TRUE(view.comparison().date().get_visible());
  EXPECT_TRUE(view.card().depth().pill(0).get_sensitive() == false);
  EXPECT_EQ(view.card().depth().pill(0).get_opacity(), 1.0);

  shell.clickCentre(view.comparison().changeButton());
  EXPECT_FALSE(*shell.root().state().changingComparison) << "no project: nothing opens";

  // With a project (an opened run's), the chooser opens over the composer.
  workspace.openReport(vesk::testing::savedRun("r-1", "complete", "full"));
  workspace.screen = vesk::Screen::home;
  workspace.baselineRunID = std::string("base-1");
  shell.settle();
  ASSERT_TRUE(workspace.projectID().has_value());
  auto& shown = composer(shell);
  scrollTo(shell, shown.comparison());
  shell.clickCentre(shown.comparison().changeButton());
  EXPECT_TRUE(*shell.root().state().changingComparison);
  EXPECT_EQ(shell.root().state().comparisonState().comparisonProjectID(), workspace.projectID());
  shell.settle();
  vesk::testing::renderAndKeep(shell.root(), "composer-comparison-chooser.png");
  shell.press("Escape");
  EXPECT_FALSE(*shell.root().state().changingComparison);
  shell.settle();

  shell.clickCentre(shown.comparison().clearButton());
  EXPECT_FALSE(workspace.baselineRunID->has_value());
  shell.settle();
  EXPECT_FALSE(shown.comparison().get_visible());
}

TEST_F(ComposerScreenTest, TheSignedInEditorShowsItsPlaceholderWhileEmpty) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  signIn(workspace);
  workspace.newAudit();
  shell.settle();
  auto& editor = composer(shell).card().editor();
  auto& text = editor.textView();
  EXPECT_TRUE(editor.placeholderShown());
  EXPECT_GE(editor.placeholder().get_height(), text.get_height()) << "the placeholder spans the editor";
  vesk::testing::renderAndKeep(shell.root(), "composer-signed-in.png");

  shell.clickCentre(text);
  ASSERT_TRUE(runUntil([&] { return text.has_focus(); }));
  shell.press("a");
  shell.press("b");
  EXPECT_FALSE(editor.placeholderShown());
  shell.press("BackSpace");
  shell.press("BackSpace");
  EXPECT_EQ(*workspace.brief, "");
  EXPECT_TRUE(editor.placeholderShown());

  // A composition shows its own text over the empty buffer.
  g_signal_emit_by_name(text.gobj(), "preedit-changed", "ka");
  EXPECT_FALSE(editor.placeholderShown());
  g_signal_emit_by_name(text.gobj(), "preedit-changed", "");
  EXPECT_TRUE(editor.placeholderShown());
}

TEST_F(ComposerScreenTest, TheBannerPushesTheComposerDownAndNothingScrolledShowsUnderIt) {
  using namespace vesk::testing;
  ShellWindow shell;
  auto& workspace = shell.workspace();
  auto& root = shell.root();
  signIn(workspace);
  // A composer longer than the window: every file and address a full audit takes.
  workspace.auditMode = std::string("full");
  std::vector<vesk::AuditAttachment> files;
  for (int i = 1; i <= 7; ++i)
    files.emplace_back("screen-" + std::to_string(i) + ".png", "image/png", base64(pngBytes(40, 30, 0x3A6AC2FF)));
  workspace.attachments = files;
  workspace.urls = "https://a.example.com https://b.example.com https://c.example.com https://d.example.com";
  shell.settle();
  ASSERT_TRUE(runUntil([&] { return composer(shell).card().decoding() == 0; }));
  shell.settle();
  auto* page = dynamic_cast<ui::FramedPage*>(root.screenSlot().page());
  ASSERT_NE(page, nullptr);
  const auto headings = descendants(*page, [](Gtk::Widget& widget) {
    auto* label = dynamic_cast<Gtk::Label*>(&widget);
    return label && label->get_text() == "What should Vesk look at?";
  });
  ASSERT_EQ(headings.size(), 1u);
  Gtk::Widget& heading = *headings.front();
  const int headingTop = boundsIn(heading, root).y;

  // The banner pushes the page down by its own height, at once.
  workspace.error = std::string(
      "Could not read screen-7.png: the file is no longer where it was when you attached it. Attach it again, or "
      "remove it and start the audit with the other six.");
  ASSERT_TRUE(runUntil([&] { return root.header().banner().get_mapped() && root.header().get_height() > 78; }));
  shell.settle();
  const int grown = root.header().get_height() - 78;
  EXPECT_GT(grown, 40);
  EXPECT_EQ(boundsIn(heading, root).y, headingTop + grown) << "the banner's height moves the heading down";
  const Box area = headerArea(root);
  EXPECT_EQ(area.height, 34 + root.header().get_height()) << "down to the banner's bottom";
  ASSERT_FALSE(labelOverlaps(*page, root, area));
  const auto adjustment = page->scroller().get_vadjustment();
  ASSERT_GT(adjustment->get_upper(), adjustment->get_page_size() + 100) << "the composer is longer than the window";
  const Pixels rest = render(root);

  // The wheel takes the heading up under the banner.
  SyntheticInput::scroll(*page, page->get_width() / 2.0, page->get_height() * 0.7, 2);
  ASSERT_TRUE(runUntil([&] { return adjustment->get_value() >= 100; })) << adjustment->get_value();
  shell.settle();
  ASSERT_TRUE(labelOverlaps(*page, root, area)) << "the page's text lies under the band";
  const Pixels scrolled = renderAndKeep(root, "composer-banner.png");
  const Box below{area.x, area.height + 80, area.width, 300};
  EXPECT_GT(compare(scrolled, rest, below).count, 0) << "the frame shows the page scrolled";

  const auto leak = compare(scrolled, rest, area);
  EXPECT_EQ(leak.count, 0) << leak.describe();
  const auto band = compare(scrolled, canvasOnly(root), area, headerItems(root, 16));
  EXPECT_EQ(band.count, 0) << "around the header's items and the banner the area is the canvas itself: "
                           << band.describe();
}
