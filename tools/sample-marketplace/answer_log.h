#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace lotwise::sample {

// One answer of the server: the request target, the status and the Content-Type.
struct Answer {
  std::string target;
  int status = 0;
  std::string contentType;
};

// Every answer the server gave, in the order it gave them: what a browser that loaded a
// page was served. Answers cut off part way (a fault) are recorded as they began.
class AnswerLog {
 public:
  void Record(Answer answer);
  std::vector<Answer> answers() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Answer> answers_;
};

}  // namespace lotwise::sample
