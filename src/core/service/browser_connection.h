#pragma once
#include "core/async/task.h"
#include "core/service/service_records.h"
namespace vesk {
class BrowserConnection {
 public:
  async::Task<TokenResponse> connect(std::string origin);
  void cancel();
};
}
