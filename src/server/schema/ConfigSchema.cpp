// The configuration database of the suite: companies and their databases,
// menus, users with their rights, branches, suite settings and the error log.
// Menu.Version, UserName.UserSeeImport, UserName.UserSeeCost and
// softwareconfig.ChatNotifyUrl are added by the configuration upgrade script.
#include "server/schema/Schema.h"

namespace meridox::schema {

namespace {

Table company()
{
    return {"Company",
            {id(), text("Code", 30, true), text("NameThai", 255), text("NameEng", 255), text("ShortName", 100),
             text("Address1", 255), text("Address2", 255), text("Address3", 255), text("Address4", 255),
             text("Province", 100), text("Zip", 10), text("Telephone", 50), text("Fax", 50), text("EMail", 100),
             blob("Logo"), text("TaxNo", 30), integer("RunYear"), text("FUNDNAME", 255), date("InstallDate"),
             text("LocalServer", 100), withDefault(flag("TaxBranchHead"), "'N'"),
             withDefault(text("TaxBranchCode", 10), "''"), text("TaxBranchName", 255)},
            {uniqueKey({"Code"})}};
}

Table databaseList()
{
    return {"DatabaseList",
            {id(), integer("Company", true), text("DatabaseName", 100, true), text("Description", 255),
             integer("YearNo")},
            {uniqueKey({"DatabaseName"}), key({"Company"})}};
}

Table companyConfig()
{
    return {"CompanyConfig",
            {id(), integer("Company", true), text("PicturePath", 255), text("Public_Price_IE", 1),
             integer("DefaultWh"), integer("DefaultTax"), integer("DefaultPosMenuId")},
            {uniqueKey({"Company"})}};
}

// Menu ids are the suite's menu numbers, given on the command line: assigned,
// never generated.
Table menu()
{
    return {"Menu",
            {integer("Id", true), text("Command", 255), text("MenuOption", 100), text("Description", 255)},
            {uniqueKey({"Id"})}};
}

// Users and user groups share the table: a user's GroupId is the Id of the
// group's own row, and the right flags are read from the group's row.
Table userName()
{
    std::vector<Column> cols{id(), text("Code", 30, true), text("FullName", 255), integer("LanguageNo"),
                             integer("GroupId"), integer("Saleman")};
    for (const char* right :
         {"EditSalePrice", "Approve_Quo", "Approve_SO", "Approve_IV", "Approve_PO", "Approved_PORQ",
          "ApproveTranWH", "ApproveTranBranch", "ApproveWorkOrder", "CanSeeCost", "CanSeeSalePrice",
          "CanModifyCusSale", "Approve_PreIs", "ApproveCustomerDropUse", "ApproveCustomerDropCredit",
          "CanModifyCredit", "CanSetProductBlock", "CanSetProductMinus", "CanSaleCreditOnReturnCheque",
          "CanSetOtherUserPass"})
        cols.push_back(flag(right));
    for (const char* level : {"Approve_PoLevel1", "Approve_PoLevel2", "Approve_PoLevel3"})
        cols.push_back(withDefault(flag(level), "'N'"));
    return {"UserName", std::move(cols), {uniqueKey({"Code"}), key({"GroupId"})}};
}

// The menus a group may open, with its four rights on each (what MENUCAPTION
// answers for a user through the user's group).
Table userRight()
{
    return {"UserRight",
            {id(), integer("UserName", true), integer("Menu", true), withDefault(flag("AccessRight"), "'N'"),
             withDefault(flag("AddRight"), "'N'"), withDefault(flag("ModifyRight"), "'N'"),
             withDefault(flag("DeleteRight"), "'N'")},
            {uniqueKey({"UserName", "Menu"}), key({"Menu"})}};
}

Table branch()
{
    return {"Branch",
            {id(), text("BranchCode", 30, true), text("BranchName", 255), withDefault(flag("StopDataBase"), "'N'"),
             withDefault(flag("Franchise"), "'N'"), text("ServerName", 100)},
            {uniqueKey({"BranchCode"}), key({"ServerName"})}};
}

Table softwareConfig()
{
    return {"softwareconfig", {id(), text("URLPoapporved", 255)}, {}};
}

// Written by AddErrorLog for every error that reaches the error window.
Table errorLog()
{
    return {"errorlog",
            {id(), text("CompName", 20), text("LogName", 100), integer("username"), integer("menu"),
             datetime("errordate", true), memo("errormsg")},
            {key({"errordate"})}};
}

} // namespace

const DatabaseSchema& configSchema()
{
    static const DatabaseSchema schema{
        {company(), databaseList(), companyConfig(), menu(), userName(), userRight(), branch(), softwareConfig(),
         errorLog()},
        {}};
    return schema;
}

} // namespace meridox::schema
