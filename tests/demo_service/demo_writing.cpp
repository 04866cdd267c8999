// The demo's reports. Demo writing: no model runs, and the provenance says so.
#include "demo_service/demo_writing.h"

#include <glib.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace vesk::demo {

namespace {

struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};

std::string hostOf(const std::string& url) {
  const std::unique_ptr<GUri, UriDeleter> uri(g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr));
  return uri && g_uri_get_host(uri.get()) ? g_uri_get_host(uri.get()) : url;
}

std::string lowered(std::string text) {
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = char(text[0] - 'A' + 'a');
  return text;
}

// A small number (1 to 5) that differs from run to run but stays put for one run.
int rating(const std::string& runId, std::size_t salt) {
  std::uint32_t hash = 2166136261u;
  for (const char c : runId) hash = (hash ^ std::uint8_t(c)) * 16777619u;
  hash = (hash ^ std::uint32_t(salt * 2654435761u)) * 16777619u;
  return 2 + int(hash % 3);
}

std::string answerOr(const DemoRun& run, const std::string& id, const std::string& fallback) {
  const auto found = run.answers.find(id);
  return found == run.answers.end() || found->second.empty() ? fallback : found->second.front();
}

// What the report looks at, and its evidence links in the service's form.
struct Sources {
  std::string subject;
  std::vector<std::pair<std::string, std::string>> evidence;  // caption, link
};

Sources sourcesOf(const DemoRun& run) {
  Sources sources;
  for (std::size_t i = 0; i < run.urls.size() && i < 8; ++i)
    sources.evidence.emplace_back("The first screen of " + hostOf(run.urls[i]),
                                  "/api/url-shot/" + run.id + "/" + std::to_string(i));
  for (std::size_t i = 0; i < run.attachments.size() && i < 7; ++i)
    if (run.attachments[i].mediaType.starts_with("image/"))
      sources.evidence.emplace_back(run.attachments[i].filename,
                                    "/api/attachments/" + run.id + "/" + std::to_string(i));
  if (!run.urls.empty()) {
    sources.subject = hostOf(run.urls.front());
  } else if (!run.attachments.empty()) {
    sources.subject = run.attachments.front().filename;
  } else {
    sources.subject = "your brief";
  }
  return sources;
}

std::string discoveryBlocks(const DemoRun& run) {
  nlohmann::json questions = nlohmann::json::array();
  for (const auto& q : demoQuestions())
    questions.push_back({{"id", q.id}, {"question", q.text}, {"options", q.options}});
  nlohmann::json answers = nlohmann::json::object();
  for (const auto& [id, chosen] : run.answers) answers[id] = chosen;
  return "<discovery>\n" + nlohmann::json{{"questions", questions}}.dump() + "\n</discovery>\n\n<discovery-answers>\n" +
         nlohmann::json{{"answers", answers}}.dump() + "\n</discovery-answers>\n\n";
}

struct Finding {
  std::string heading;
  std::string label;  // perspective and impact
  std::string text;
  std::string action;
};

std::vector<Finding> fullFindings(const std::string& subject, const DemoRun& run) {
  const std::string goal = lowered(answerOr(run, "goal", "Sign up"));
  const std::string audience = answerOr(run, "audience", "First-time visitors");
  return {
      {"1. The first screen does not say who it is for", "Clarity & copy · High impact",
       "The opening of " + subject + " leads with a mood line. " + audience +
           " have to scroll before they learn what is offered and for whom.",
       "Put the offer and its audience in the headline; keep the mood line as the subtitle."},
      {"2. The main action competes with three others", "Conversion · High impact",
       "Four buttons of equal weight sit side by side. The one that matters, the path to " + goal +
           ", gets no more attention than a newsletter link.",
       "Keep one filled button for “" + goal + "”; turn the rest into quiet text links."},
      {"3. Body text falls below comfortable contrast", "Accessibility · Medium impact",
       "Grey body text on the ivory background measures about 3.9 to 1, under the 4.5 to 1 that small text needs.",
       "Darken the body text to the ink colour used for headings."},
      {"4. Proof arrives after the ask", "Trust & credibility · Medium impact",
       "Customer names and numbers appear only near the footer, after the first request to act.",
       "Move one concrete proof point, a named customer or a number, next to the main action."},
      {"5. The mobile menu hides the one thing people came for", "Mobile experience · Low impact",
       "On a narrow screen the main action moves into the menu, one tap further away than the menu itself.",
       "Keep the main action visible in the mobile header."},
  };
}

std::vector<Finding> quickFindings(const std::string& subject, const DemoRun& run) {
  const std::string goal = lowered(answerOr(run, "goal", "Sign up"));
  return {
      {"1. Say who it is for in the headline", "Quick read",
       "A first-time reader of " + subject + " meets atmosphere before information.",
       "Rewrite the headline as what it is and who it serves."},
      {"2. Give one action the stage", "Quick read", "The way to " + goal + " is one of several equal choices.",
       "Make it the single filled button."},
      {"3. Bring proof closer", "Quick read", "The strongest evidence sits below the fold.",
       "Lift one proof point up beside the action."},
  };
}

void writeFindings(std::ostringstream& out, const std::vector<Finding>& findings, const DemoRun& run,
                   const Sources& sources) {
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    out << "### " << f.heading << "\n\n";
    if (const auto refined = run.refinedFindings.find(f.heading); refined != run.refinedFindings.end()) {
      out << refined->second << "\n\n";
      continue;
    }
    out << "**" << f.label << "**\n\n" << f.text << "\n\n";
    if (i < sources.evidence.size()) {
      const auto& [caption, link] = sources.evidence[i];
      out << "![" << caption << "](" << link << (i == 0 ? "#vesk-box=96,150,720,210" : "") << ")\n\n";
    }
    out << "**Do this:** " << f.action << "\n\n";
  }
}

void writeSourceList(std::ostringstream& out, const DemoRun& run) {
  out << "## Sources\n\n";
  for (const auto& url : run.urls)
    out << "- <" << url << "> — read and captured on " << run.createdAt.substr(0, 10) << "\n";
  for (const auto& file : run.attachments) out << "- " << file.filename << " (attached)\n";
  if (run.urls.empty() && run.attachments.empty()) out << "- The brief alone\n";
  out << "\n";
}

void writeComparison(std::ostringstream& out, const DemoRun& run, const DemoRun& baseline) {
  out << "## Compared with the audit of " << baseline.createdAt.substr(0, 10) << "\n\n"
      << "| Perspective | Then | Now |\n|---|---|---|\n";
  const char* names[] = {"Clarity & copy", "Conversion", "Accessibility", "Trust & credibility"};
  for (std::size_t i = 0; i < 4; ++i)
    out << "| " << names[i] << " | " << rating(baseline.id, i) << "/5 | " << std::min(5, rating(run.id, i) + 1)
        << "/5 |\n";
  out << "\n";
}

std::string writeFullAudit(const DemoRun& run, const DemoProject& project, const DemoRun* baseline) {
  const Sources sources = sourcesOf(run);
  std::ostringstream out;
  out << discoveryBlocks(run) << "# " << project.name << ": full audit\n\n"
      << "*Run " << run.runNumber << " · " << run.createdAt.substr(0, 10) << " · " << sources.subject << "*\n\n"
      << "Written for " << lowered(answerOr(run, "audience", "First-time visitors")) << " who should "
      << lowered(answerOr(run, "goal", "Sign up"))
      << ". The worry going in: " << lowered(answerOr(run, "worry", "The message is unclear"))
      << ".\n\n## At a glance\n\n"
      << "| Perspective | Rating | In one line |\n|---|---|---|\n";
  const char* lines[] = {"The offer is there, but only after a scroll.", "Calm and consistent; a few crowded rows.",
                         "The path is short once people find it.",       "Proof exists but arrives late.",
                         "Contrast and focus order need attention.",     "Too many actions share the stage.",
                         "Sections follow the reader’s questions.",      "The main action hides on small screens."};
  const char* names[] = {"Clarity & copy", "Visual craft", "Flow & navigation",     "Trust & credibility",
                         "Accessibility",  "Conversion",   "Information structure", "Mobile experience"};
  for (std::size_t i = 0; i < 8; ++i)
    out << "| " << names[i] << " | " << rating(run.id, i) << "/5 | " << lines[i] << " |\n";
  out << "\n## Findings\n\n";
  writeFindings(out, fullFindings(sources.subject, run), run, sources);
  if (baseline) writeComparison(out, run, *baseline);
  out << "## What to do first\n\n1. Rewrite the headline around the offer and its audience.\n"
      << "2. Give the main action the only filled button.\n3. Darken the body text.\n\n";
  writeSourceList(out, run);
  out << "Researched with Vesk’s multi-agent method: eight expert perspectives read the supplied material on their "
         "own, then their findings were checked against the evidence and merged. This report is demo writing from "
         "the loopback demo service; no model ran.\n";
  return out.str();
}

std::string writeQuickRead(const DemoRun& run, const DemoProject& project) {
  const Sources sources = sourcesOf(run);
  std::ostringstream out;
  out << discoveryBlocks(run) << "# " << project.name << ": quick read\n\n"
      << "A brief second opinion on " << sources.subject << ", written for "
      << lowered(answerOr(run, "audience", "First-time visitors"))
      << ". It is not an eight-perspective audit.\n\n## What works\n\n"
      << "- The visual tone is calm and consistent.\n- Pages load quickly and read well on a phone.\n\n"
      << "## What to look at first\n\n";
  writeFindings(out, quickFindings(sources.subject, run), run, sources);
  writeSourceList(out, run);
  out << "Researched with Vesk’s multi-agent method: a single quick pass over the supplied material. Demo writing from "
         "the loopback demo service; no model ran.\n";
  return out.str();
}

}  // namespace

std::string writeReport(const DemoRun& run, const DemoProject& project, const DemoRun* baseline) {
  return run.mode == "full" ? writeFullAudit(run, project, baseline) : writeQuickRead(run, project);
}

std::vector<std::string> findingHeadings(const DemoRun& run) {
  const auto findings = run.mode == "full" ? fullFindings("", run) : quickFindings("", run);
  std::vector<std::string> headings;
  for (const auto& finding : findings) headings.push_back(finding.heading);
  return headings;
}

std::string refinedFindingText(const std::string& heading, const std::string& instruction) {
  return "**Refined · as you asked: “" + instruction + "”**\n\n" + "Looked at again with that in mind, “" + heading +
         "” comes down to one change you can make this week: state plainly what the page offers and to whom, then "
         "let everything else on the screen support that sentence. Measure it by how many first-time readers reach "
         "the main action.";
}

std::string writeFollowUp(const DemoRun& original, const DemoProject& project, const std::string& instruction) {
  const auto headings = findingHeadings(original);
  std::ostringstream out;
  out << "# Follow-up on " << project.name << "\n\n> " << instruction << "\n\n"
      << "Starting from the report of " << original.createdAt.substr(0, 10)
      << ", the answer leans on its first finding, “" << headings.front()
      << "”.\n\n- Begin with the headline: it decides whether the rest is read.\n"
      << "- Then reduce the actions on the first screen to one.\n- Check the result with five people who have never "
         "seen the page.\n\n"
      << "Researched with Vesk’s multi-agent method: this follow-up re-read the findings and evidence of run "
      << original.runNumber << ". Demo writing from the loopback demo service; no model ran.\n";
  return out.str();
}

std::string runSubject(const DemoRun& run, const DemoProject& project) {
  std::istringstream lines(run.input);
  std::string line;
  while (std::getline(lines, line))
    if (line.find_first_not_of(" \t\r") != std::string::npos) return line;
  return project.name;
}

}  // namespace vesk::demo
