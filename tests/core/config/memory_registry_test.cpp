#include "support/memory_registry.h"
#include "support/registry_contract.h"

namespace mv::test {
namespace {

// The fake must keep the promises of the real registry, or the store's tests prove nothing.
class MemoryRegistryFactory {
public:
    TRegistry& Open() { return registry_; }
    TRegistry& Reopen() {
        EXPECT_EQ(registry_.Flush(), "");
        return registry_;
    }

private:
    TMemoryRegistry registry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, testing::Types<MemoryRegistryFactory>);

} // namespace
} // namespace mv::test
