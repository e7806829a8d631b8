#include <gtest/gtest.h>

#include <map>

#include "../../windows/fixtures/icon_samples.h"
#include "export/core/group_resource.h"

namespace orvex {
namespace {

using samples::Bytes;
using samples::MakeGroupResource;

TEST(GroupResourceTest, LengthAgainstTheCount) {
    const Bytes two = MakeGroupResource({7, 9});
    ASSERT_EQ(two.size(), 6u + 28u);
    const Result<std::vector<uint16_t>, GroupError> ids = ParseGroupResource(two.data(), two.size());
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids.value(), (std::vector<uint16_t>{7, 9}));
    EXPECT_EQ(ParseGroupResource(two.data(), two.size() - 1).error(), GroupError::CutEntries);
    EXPECT_EQ(ParseGroupResource(two.data(), 5).error(), GroupError::ShortHead);
    // Claims 65535 entries and holds one.
    const Bytes claims = MakeGroupResource({7}, 0xFFFF);
    EXPECT_EQ(ParseGroupResource(claims.data(), claims.size()).error(), GroupError::CutEntries);
    // Count 0: no images; the reserved and type words are not looked at.
    Bytes empty = MakeGroupResource({});
    empty[0] = 0xFF;
    empty[2] = 7;
    ASSERT_TRUE(ParseGroupResource(empty.data(), empty.size()));
    EXPECT_TRUE(ParseGroupResource(empty.data(), empty.size()).value().empty());
}

class FakeModule {
public:
    std::map<uint16_t, Bytes> icons;
    IconResourceLookup Lookup() {
        return [this](uint16_t id, const uint8_t*& data, size_t& size) {
            const auto it = icons.find(id);
            if (it == icons.end()) return false;
            data = it->second.data();
            size = it->second.size();
            return true;
        };
    }
};

TEST(GroupResourceTest, AssemblesTheNamedImages) {
    FakeModule m;
    m.icons[1] = samples::MakeDib({16, 16, 4, 1, 0, 0, 1});
    m.icons[2] = samples::MakeDib({32, 32, 32, 1, 0, 0, 2});
    m.icons[3] = Bytes(20, 0x28);  // shorter than a header
    m.icons[4] = samples::MakePng(256, 256);

    struct Case {
        const char* what;
        std::vector<uint16_t> ids;
        bool ok;
        GroupError error;
    };
    const Case cases[] = {
        {"two images", {2, 1}, true, {}},
        {"one id twice", {1, 1}, true, {}},
        {"a PNG image", {4, 2}, true, {}},
        {"no images", {}, true, {}},
        {"an id with no RT_ICON", {1, 99, 2}, false, GroupError::MissingImage},
        {"an image shorter than its header", {1, 3}, false, GroupError::BadImage},
    };
    for (const Case& c : cases) {
        const Bytes group = MakeGroupResource(c.ids);
        const Result<IconGroup, GroupError> r = AssembleModuleGroup(group.data(), group.size(), m.Lookup());
        ASSERT_EQ(r.ok(), c.ok) << c.what;
        if (!c.ok) {
            EXPECT_EQ(r.error(), c.error) << c.what;
            continue;
        }
        ASSERT_EQ(r.value().images.size(), c.ids.size()) << c.what;
        for (size_t i = 0; i < c.ids.size(); ++i) {
            // Each image is its own resource's bytes, whatever the group entry says.
            EXPECT_EQ(r.value().images[i].bytes, m.icons[c.ids[i]]) << c.what;
        }
    }
}

} // namespace
} // namespace orvex
