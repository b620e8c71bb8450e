// The resource header: no two controls of one dialog share an id, nor two images or two
// dialog templates of the module (a fault Wine itself once shipped).
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Define {
    std::string group, name;
    long value;
};

// Every "#define NAME number" of resources/resource_ids.h with the "// " heading of its group.
std::vector<Define> resourceIds() {
    const std::string here = __FILE__;
    std::ifstream header(here.substr(0, here.rfind("tests/unit/")) + "resources/resource_ids.h");
    std::vector<Define> defines;
    std::string line, group;
    while (std::getline(header, line)) {
        if (line.rfind("// ", 0) == 0) group = line.substr(3);
        std::istringstream words(line);
        std::string directive, name;
        long value = 0;
        if (words >> directive >> name >> value && directive == "#define") defines.push_back({group, name, value});
    }
    return defines;
}

// "A and B: 1030" for each name whose value an earlier name of the same set has; setOf gives
// the set a name belongs to, or "" for none.
template <typename SetOf>
std::vector<std::string> sharedIds(SetOf setOf) {
    std::map<std::pair<std::string, long>, std::string> seen;
    std::vector<std::string> shared;
    for (const Define& define : resourceIds()) {
        const std::string set = setOf(define);
        if (set.empty()) continue;
        const auto entry = seen.emplace(std::make_pair(set, define.value), define.name);
        if (!entry.second) shared.push_back(entry.first->second + " and " + define.name + ": " + std::to_string(define.value));
    }
    return shared;
}

bool kindIs(const Define& define, const char* prefix) { return define.name.rfind(prefix, 0) == 0; }

TEST(ResourceIds, NoTwoControlsOfOneDialogShareAnId) {
    ASSERT_GT(resourceIds().size(), 40u) << "resources/resource_ids.h was not read";
    EXPECT_EQ(std::vector<std::string>(),
              sharedIds([](const Define& define) { return kindIs(define, "IDC_") ? define.group : ""; }));
}

TEST(ResourceIds, NoTwoImagesAndNoTwoDialogTemplatesShareAnId) {
    EXPECT_EQ(std::vector<std::string>(), sharedIds([](const Define& define) -> std::string {
                  if (kindIs(define, "IDB_") || kindIs(define, "IDI_")) return "image";
                  return kindIs(define, "IDD_") ? "dialog template" : "";
              }));
}

}  // namespace
