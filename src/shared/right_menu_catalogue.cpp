#include "shared/right_menu_catalogue.h"

#include <QHash>

namespace corvane::shared {

namespace {

std::vector<RightMenuItem> BuildCatalogue() {
  const char* const items[][2] = {
      {"rChange", "变更"},        {"rLock", "锁定"},           {"rRestore", "恢复"},
      {"rSe11", ""},              {"rBankCheck", "自动对账"},  {"rBankUnCheck", "取消对账"},
      {"rSetup", "打印设置"},     {"rAdd", "增加"},            {"rAdd2", "插入"},
      {"rAdd3", "复制增加"},      {"rAutoCheck", "自动勾对"},  {"rBalance", "余额"},
      {"rBankDirec", "余额方向"}, {"rBottom", "末行"},         {"rCheck", "检查"},
      {"rCheckBook", "检查账簿"}, {"rCode", "科目"},           {"rDataOut", "输出"},
      {"rDel", "删除"},           {"rDel1", "删除本行"},       {"rDel2", "删除选定行"},
      {"rDel3", "全部删除"},      {"rDetail1", "明细"},        {"rDetail2", "明细账"},
      {"rDetail3", "明细表"},     {"rDirec", "方向"},          {"rDrillMXZ", "联查明细账"},
      {"rDrillPZ", "联查凭证"},   {"rDrillZZ", "联查总账"},    {"rEdit", "修改"},
      {"rEdit2", "编辑"},         {"rEditBook", "修改账簿"},   {"rError", "查错"},
      {"rExit", "退出"},          {"rFilt", "过滤"},           {"rFind", "定位"},
      {"rSort", "排序"},          {"rHelp", "帮助"},           {"rList", "列表"},
      {"rNext", "下一条"},        {"rPeriod", "期间"},         {"rPrev", "上一条"},
      {"rPreview", "预览"},       {"rPrint", "打印"},          {"rRef", "对照"},
      {"rSave", "保存"},          {"rSe1", ""},                {"rSe2", ""},
      {"rSe3", ""},               {"rSe4", ""},                {"rSe5", ""},
      {"rSe6", ""},               {"rSe7", ""},                {"rSe8", ""},
      {"rSe9", ""},               {"rSe10", ""},               {"rSearch", "查询"},
      {"rTop", "首行"},           {"rUndo", "放弃"},           {"rUndoCheck", "取消勾对"},
      {"rView1", "视图一"},       {"rView2", "视图二"},        {"rView3", "视图三"},
      {"rRbd", "红字"},           {"rUpgrade", "升级"},        {"rLastDay", "月末"},
  };
  std::vector<RightMenuItem> catalogue;
  for (const auto& item : items) catalogue.push_back({QString::fromLatin1(item[0]), QString::fromUtf8(item[1])});
  return catalogue;
}

}  // namespace

const std::vector<RightMenuItem>& RightMenuCatalogue() {
  static const std::vector<RightMenuItem> catalogue = BuildCatalogue();
  return catalogue;
}

const RightMenuItem* FindRightMenuItem(const QString& key) {
  static const QHash<QString, int> byKey = [] {
    QHash<QString, int> h;
    const auto& c = RightMenuCatalogue();
    for (int i = 0; i < static_cast<int>(c.size()); ++i) h.insert(c[i].Key(), i);
    return h;
  }();
  // Keys compare exactly: "Setup" is no key, "setup" is.
  const auto it = byKey.constFind(key);
  return it == byKey.constEnd() ? nullptr : &RightMenuCatalogue()[*it];
}

QString RightMenuCaptionKey(const RightMenuItem& item) {
  return QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.") + item.name;
}

}  // namespace corvane::shared
