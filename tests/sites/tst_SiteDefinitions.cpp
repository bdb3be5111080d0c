#include "sites/SiteDefinitions.h"

#include "util/ProfileFile.h"

#include <gtest/gtest.h>

namespace {

std::string key(const ProfileFile &profile, const std::string &name)
{
    std::string value;
    if (!profile.GetString("Sites", name, value))
        return "<none>";
    return value;
}

TEST(SiteDefinitions, AddStoresTheFourKindsOfKey)
{
    ProfileFile profile;
    SiteDefinitions sites(profile);
    EXPECT_TRUE(sites.Add("Home", "/srv/Web/Home", "Media"));
    EXPECT_EQ(key(profile, "Items"), "1");
    EXPECT_EQ(key(profile, "0"), "Home");
    EXPECT_EQ(key(profile, "Home"), "/srv/Web/Home");  // the folder keeps its spelling
    EXPECT_EQ(key(profile, "/srv/web/home"), "Media"); // looked up by its lower-case form
    EXPECT_EQ(profile.Sections().at("Sites").size(), 4u);

    EXPECT_TRUE(sites.Add("Blog", "/srv/blog/", ""));
    EXPECT_EQ(key(profile, "Items"), "2");
    EXPECT_EQ(key(profile, "1"), "Blog");
    EXPECT_EQ(key(profile, "Blog"), "/srv/blog");   // trailing "/" dropped
    EXPECT_EQ(key(profile, "/srv/blog"), "<none>"); // no key for an empty sub-folder
    EXPECT_EQ(sites.Names(), (std::vector<std::string>{"Home", "Blog"}));
    EXPECT_EQ(sites.RootFolder("Home"), "/srv/Web/Home");
    EXPECT_EQ(sites.SubFolder("/SRV/web/Home/"), "Media");

    EXPECT_FALSE(sites.Add("", "/srv/x", "Media"));
    EXPECT_FALSE(sites.Add("X", "  ", "Media"));
    EXPECT_EQ(key(profile, "Items"), "2");
}

TEST(SiteDefinitions, ResourceFolderLookup)
{
    ProfileFile profile;
    SiteDefinitions sites(profile);
    sites.Add("Home", "/srv/Web/Home", "Media");
    sites.Add("Flat", "/srv/flat", "");
    sites.Add("Deep", "/srv/deep", "res/img");

    struct Row
    {
        const char *page;
        const char *folder;
        const char *sub;
    };
    const Row rows[] = {
        {"/srv/Web/Home/index.html", "/srv/Web/Home/Media", "Media"},
        // Another spelling of the root matches; the copy goes to the page's own folder.
        {"/srv/WEB/Home/index.html", "/srv/WEB/Home/Media", "Media"},
        {"/srv/Web/Home/sub/a.html", "/srv/Web/Home/sub", ""},
        {"/srv/flat/page.html", "/srv/flat", ""},
        {"/srv/deep/p.html", "/srv/deep/res/img", "res/img"},
        {"/elsewhere/p.html", "/elsewhere", ""},
        {"file:///srv/Web/Home/index.html", "/srv/Web/Home/Media", "Media"},
        {"/p.html", "/", ""},
        {"http://example.com/site/index.html", "", ""},
        {"", "", ""},
    };
    for (const Row &row : rows) {
        const ResourceFolder found = GetResourceFolder(row.page, profile);
        EXPECT_EQ(found.folder, row.folder) << row.page;
        EXPECT_EQ(found.subFolder, row.sub) << row.page;
    }
}

TEST(SiteDefinitions, DeleteAndUpdateRewriteOnlyTheList)
{
    ProfileFile profile;
    SiteDefinitions sites(profile);
    sites.Add("Alpha", "/srv/a", "Media");
    sites.Add("Beta", "/srv/b", "Media");
    sites.Add("Gamma", "/srv/c", "Media");

    // Delete the second of three.
    sites.WriteList({"Alpha", "Gamma"});
    EXPECT_EQ(key(profile, "Items"), "2");
    EXPECT_EQ(key(profile, "0"), "Alpha");
    EXPECT_EQ(key(profile, "1"), "Gamma");
    EXPECT_EQ(key(profile, "2"), "Gamma");     // left behind beyond the count, never read
    EXPECT_EQ(key(profile, "Beta"), "/srv/b"); // the deleted site's keys stay
    EXPECT_EQ(key(profile, "/srv/b"), "Media");
    EXPECT_EQ(sites.Names(), (std::vector<std::string>{"Alpha", "Gamma"}));

    // Update Gamma with the same name and a new sub-folder: list without it, then add again.
    sites.WriteList({"Alpha"});
    sites.Add("Gamma", "/srv/c", "Pictures");
    EXPECT_EQ(sites.Names(), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(key(profile, "/srv/c"), "Pictures");
    EXPECT_EQ(GetResourceFolder("/srv/c/index.html", profile).folder, "/srv/c/Pictures");
}

TEST(SiteDefinitions, ReadsStoredFilesAsTheyAre)
{
    // An older file in which a site named "1" overwrote a numbered key, and one whose count is
    // larger than the keys present.
    ProfileFile profile;
    profile.SetString("Sites", "Items", "3");
    profile.SetString("Sites", "0", "Home");
    profile.SetString("Sites", "1", "/srv/one");
    profile.SetString("Sites", "Home", "c:\\web\\home");
    SiteDefinitions sites(profile);
    EXPECT_EQ(sites.Names(), (std::vector<std::string>{"Home", "/srv/one"}));
    EXPECT_EQ(sites.RootFolder("Home"), "c:\\web\\home");

    ProfileFile empty;
    EXPECT_TRUE(SiteDefinitions(empty).Names().empty());
    empty.SetString("Sites", "Items", "-4");
    EXPECT_TRUE(SiteDefinitions(empty).Names().empty());
    EXPECT_TRUE(SiteDefinitions(empty).Add("A", "/a", ""));
    EXPECT_EQ(key(empty, "0"), "A");
    EXPECT_EQ(key(empty, "Items"), "1");
}

TEST(SiteDefinitions, ValidateRefusesKeysThatWouldCollide)
{
    ProfileFile profile;
    SiteDefinitions sites(profile);
    sites.Add("Home", "/srv/Web/Home", "Media");
    sites.Add("lower", "/srv/lower", "");

    struct Row
    {
        const char *name;
        const char *root;
        const char *sub;
        bool ok;
    };
    const Row rows[] = {
        {"Blog", "/srv/blog", "Media", true},
        {"Site 2", "/srv/site2/", "", true},
        {"007", "/srv/x", "", true}, // not the text of an index
        {"Items", "/srv/x", "", false},
        {"2", "/srv/x", "", false},
        {"-1", "/srv/x", "", false},
        {"a=b", "/srv/x", "", false},
        {"[x]", "/srv/x", "", false},
        {";x", "/srv/x", "", false},
        {"two\nlines", "/srv/x", "", false},
        {"/srv/web/home", "/srv/x", "", false}, // the lower-case root of Home
        {"/srv/x", "/srv/X/", "", false},       // its own root key
        {"Other", "/srv/a=b", "", false},
        {"Other", "/srv/x", "a\nb", false},
        {"Other", "LOWER", "", false}, // a root whose lower-case key is a site's name
    };
    for (const Row &row : rows)
        EXPECT_EQ(sites.Validate(row.name, row.root, row.sub).empty(), row.ok) << row.name;
    // A site being replaced by Update does not collide with itself.
    EXPECT_FALSE(sites.Validate("/srv/web/home", "/srv/x", "").empty());
    EXPECT_TRUE(sites.Validate("/srv/web/home", "/srv/x", "", "Home").empty());
}

} // namespace
