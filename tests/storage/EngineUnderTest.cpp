// The engine the storage tests run on: SQLite, or with AXO_TEST_ENGINE=postgresql a server of
// their own (started once for the whole run). The same tests thus prove both engines; the few
// that look at SQLite's files skip themselves on the server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "TableTestSupport.h"
#include "storage/PgEngine.h"
#include "support/PgServer.h"

namespace axo::storage::test {
namespace {

class EngineEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        const char* engine = std::getenv("AXO_TEST_ENGINE");
        if (!engine || std::string(engine) != "postgresql")
            return;
        server_ = std::make_unique<axo::test::PgServer>();
        if (server_->Missing())
            GTEST_SKIP() << server_->Problem();
        ASSERT_TRUE(server_->Running()) << server_->Problem();
        ServerConninfo() = server_->Conninfo();
        UseEngine(MakePgEngine({server_->Conninfo(), {}}));
    }
    void TearDown() override {
        UseEngine(nullptr);
        ServerConninfo().clear();
        server_.reset();
    }

  private:
    std::unique_ptr<axo::test::PgServer> server_;
};

[[maybe_unused]] auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace
}  // namespace axo::storage::test
