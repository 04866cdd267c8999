#include "core/workspace/preview_samples.h"

namespace vesk::preview {

const std::vector<BuiltInQuestion>& builtInQuestions() {
  static const std::vector<BuiltInQuestion> questions = {
      {"Who should this work speak to?",
       {"New visitors", "People comparing options", "Existing customers", "Potential clients"}},
      {"What should someone do next?",
       {"Understand the offer", "Start a project", "Book a conversation", "Feel confident choosing"}},
      {"Where would another perspective help most?",
       {"Clarity and copy", "Visual craft", "The path through the product", "Trust and credibility"}},
  };
  return questions;
}

const std::vector<std::string>& quickReadStages() {
  static const std::vector<std::string> stages = {"Reading your sources", "Preparing your quick read"};
  return stages;
}

const std::vector<std::string>& fullAuditStages() {
  static const std::vector<std::string> stages = {"Reading your sources", "Planning the audit",
                                                  "Reading through eight perspectives", "Checking the evidence",
                                                  "Preparing your saved report"};
  return stages;
}

// Both samples: blocks separated by one blank line, no line break at the very end.
const std::string_view quickReadSample =
    "# Doral\n"
    "\n"
    "A fictional product · Quick read · Sample report\n"
    "\n"
    "## The short version\n"
    "\n"
    "Doral feels calm and considered, but its next step is unclear. A visitor can enjoy the promise without seeing "
    "what they would do in the product.\n"
    "\n"
    "## Start here\n"
    "\n"
    "Show one legible project beside the opening promise, and give the primary action a name that says what happens "
    "after the click.\n"
    "\n"
    "## What’s working\n"
    "\n"
    "Keep the restrained palette and the direct voice. Add specific proof beside the claim it supports.\n"
    "\n"
    "## How I read it\n"
    "\n"
    "This is a fictional sample of a brief quick read, not an eight-perspective full audit. No model ran, no URLs were "
    "fetched and no run was counted.";

const std::string_view fullAuditSample =
    "# Doral\n"
    "\n"
    "A fictional product · Full audit · Sample report\n"
    "\n"
    "## The short version\n"
    "\n"
    "Doral has a calm, considered identity, but its next step is less clear than its promise. The page asks for trust "
    "before it shows what working in the product feels like.\n"
    "\n"
    "**Start with the first useful moment.** Put one real-looking project in front of the visitor before the "
    "invitation to start, so the promise has something to stand on.\n"
    "\n"
    "## Decisions\n"
    "\n"
    "### 1. Show the product before asking for commitment\n"
    "\n"
    "**Why it matters:** Visitors decide whether a product is for them in the first few seconds, and a promise alone "
    "gives them nothing to picture.\n"
    "\n"
    "**Do this:** Pair the opening promise with a small project view that shows real work in progress.\n"
    "\n"
    "**Check it:** Ask a new visitor what they think they can do after ten seconds on the page.\n"
    "\n"
    "### 2. Give the next step a concrete name\n"
    "\n"
    "**Why it matters:** A generic call to action hides the size of the commitment, and an unclear commitment is the "
    "easiest one to postpone.\n"
    "\n"
    "**Do this:** Name the primary action after what happens next, such as opening a first project.\n"
    "\n"
    "**Check it:** A visitor should be able to predict the next screen before they click.\n"
    "\n"
    "### 3. Put proof beside the promise\n"
    "\n"
    "**Do this:** Place one specific, attributed example next to the claim it supports, quoted with permission.\n"
    "\n"
    "**Check it:** Every claim on the page should have its evidence within one glance.\n"
    "\n"
    "## What’s working\n"
    "\n"
    "The restrained palette and the direct, warm voice already set Doral apart. Keep that calm as the page becomes "
    "more specific.\n"
    "\n"
    "## How I read it\n"
    "\n"
    "This is a synthetic example of the reading experience. It was not made from the submitted URLs or files, and no "
    "model ran. A live full audit uses the service’s cloud engine, evidence verification and credit ledger.\n"
    "\n"
    "## Evidence & sources\n"
    "\n"
    "Doral is a fictional fixture. No external pages were fetched and no customer data was used. This report is saved "
    "locally so that it can be reopened.";

}  // namespace vesk::preview
