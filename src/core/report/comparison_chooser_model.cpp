#include "core/report/comparison_chooser_model.h"

#include "core/text/text_rules.h"

namespace vesk {

std::string chooserDate(std::string_view createdAt) { return prefixOfCharacters(createdAt, 10); }

ComparisonChooserLook comparisonChooserLook(const std::vector<ReportBaseline>& baselines,
                                            const std::optional<std::string>& error, bool loading) {
  ComparisonChooserLook look;
  look.loading = loading;
  look.error = error;
  look.empty = !error && !loading && baselines.empty();
  if (loading || error) return look;
  for (const auto& baseline : baselines) {
    look.rows.push_back(ComparisonChooserRow{baseline, baseline.subject.empty() ? "Full audit" : baseline.subject,
                                             chooserDate(baseline.createdAt)});
  }
  return look;
}

}  // namespace vesk
