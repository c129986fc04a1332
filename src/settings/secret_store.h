#pragma once

#include <optional>
#include <string>

namespace lotwise {

// Where the API's client secret is kept: never in a plain file.
class SecretStore {
 public:
  virtual ~SecretStore() = default;
  // The secret kept; nothing when none is.
  virtual std::optional<std::string> Read() = 0;
  virtual void Write(const std::string& secret) = 0;
  // False when the system's keychain cannot be reached (no desktop session): the secret
  // is then kept for this run only.
  virtual bool Lasting() const = 0;
};

// The system's keychain, through QtKeychain; while it cannot be reached, the secret is
// kept in memory for this run.
class KeychainSecretStore : public SecretStore {
 public:
  std::optional<std::string> Read() override;
  void Write(const std::string& secret) override;
  bool Lasting() const override { return reachable_; }

 private:
  bool reachable_ = true;
  std::optional<std::string> forThisRun_;
};

}  // namespace lotwise
