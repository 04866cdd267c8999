// The demo's discovery questions and the two ways answers come back to it.
#include "demo_service/demo_writing.h"

#include <algorithm>

namespace vesk::demo {

namespace {

constexpr std::size_t mostAnswers = 2;

const DemoQuestion* questionWithText(const std::string& text) {
  const auto& questions = demoQuestions();
  const auto found = std::find_if(questions.begin(), questions.end(), [&](const auto& q) { return q.text == text; });
  return found == questions.end() ? nullptr : &*found;
}

const DemoQuestion* questionWithId(const std::string& id) {
  const auto& questions = demoQuestions();
  const auto found = std::find_if(questions.begin(), questions.end(), [&](const auto& q) { return q.id == id; });
  return found == questions.end() ? nullptr : &*found;
}

// One or two of the options the question offers, each once.
std::optional<std::vector<std::string>> chosenOptions(const DemoQuestion& question, const nlohmann::json& chosen,
                                                      std::string& problem) {
  if (!chosen.is_array() || chosen.empty() || chosen.size() > mostAnswers) {
    problem = "Choose one or two answers for “" + question.text + "”.";
    return std::nullopt;
  }
  std::vector<std::string> options;
  for (const auto& option : chosen) {
    const bool offered = option.is_string() && std::find(question.options.begin(), question.options.end(),
                                                         option.get<std::string>()) != question.options.end();
    if (!offered || std::find(options.begin(), options.end(), option.get<std::string>()) != options.end()) {
      problem = "An answer to “" + question.text + "” is not one of its options.";
      return std::nullopt;
    }
    options.push_back(option.get<std::string>());
  }
  return options;
}

}  // namespace

const std::vector<DemoQuestion>& demoQuestions() {
  static const std::vector<DemoQuestion> questions = {
      {"audience",
       "Who is this work mainly for?",
       {"First-time visitors", "Returning customers", "People comparing options", "Partners and press"}},
      {"goal", "What should someone do after seeing it?", {"Sign up", "Book a demo", "Buy something", "Get in touch"}},
      {"worry",
       "What worries you most about it today?",
       {"It feels cluttered", "The message is unclear", "People drop off", "It looks dated"}},
  };
  return questions;
}

nlohmann::json questionsJson() {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& question : demoQuestions()) list.push_back({{"text", question.text}, {"options", question.options}});
  return list;
}

std::optional<std::map<std::string, std::vector<std::string>>> answersFromContinue(const nlohmann::json& list,
                                                                                   std::string& problem) {
  if (!list.is_array()) {
    problem = "Send the answers as a list.";
    return std::nullopt;
  }
  std::map<std::string, std::vector<std::string>> answers;
  for (const auto& item : list) {
    const auto* question = item.is_object() && item.contains("question") && item["question"].is_string()
                               ? questionWithText(item["question"].get<std::string>())
                               : nullptr;
    if (!question) {
      problem = "These answers are for a question this run did not ask.";
      return std::nullopt;
    }
    auto chosen = chosenOptions(*question, item.value("answer", nlohmann::json()), problem);
    if (!chosen) return std::nullopt;
    answers[question->id] = std::move(*chosen);
  }
  if (answers.size() != demoQuestions().size()) {
    problem = "Answer every question before the run starts.";
    return std::nullopt;
  }
  return answers;
}

std::optional<std::map<std::string, std::vector<std::string>>> answersFromReader(const nlohmann::json& object,
                                                                                 std::string& problem) {
  if (!object.is_object() || object.empty()) {
    problem = "Send the answers by question.";
    return std::nullopt;
  }
  std::map<std::string, std::vector<std::string>> answers;
  for (const auto& [id, chosen] : object.items()) {
    const auto* question = questionWithId(id);
    if (!question) {
      problem = "These answers are for a question this run did not ask.";
      return std::nullopt;
    }
    auto options = chosenOptions(*question, chosen, problem);
    if (!options) return std::nullopt;
    answers[id] = std::move(*options);
  }
  return answers;
}

}  // namespace vesk::demo
