#include "sample-marketplace/answer_log.h"

namespace lotwise::sample {

void AnswerLog::Record(Answer answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(std::move(answer));
}

std::vector<Answer> AnswerLog::answers() const {
  std::lock_guard lock(mutex_);
  return answers_;
}

}  // namespace lotwise::sample
