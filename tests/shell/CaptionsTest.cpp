// The captions each window shows: titles, frames, buttons, option and check boxes, the labels
// beside the fields, the lists of the combos and the headings of the grids, in one table.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "catalogue/frmFind.h"
#include "catalogue/frmSelPrint.h"
#include "core/frmWait.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/frmMenu.h"
#include "printout/frmProgress.h"
#include "reports/StatisticsPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/MainWindowTest.h"

namespace {
// Where a caption stands: the control's own text (its title for a window or frame, its items
// for a combo, its headings for a grid or list), the label beside the control, or any label,
// frame or button of the window or page.
enum Where { Own, Beside, Anywhere };

struct Shown {
    const char* scope;    // a window, or a page of the main window
    const char* control;  // empty for Anywhere
    Where where;
    const char* text;
};

// clang-format off
const Shown kCaptions[] = {
    {"frmMain", "frmMain", Own, "Vadrin光盘出租出售"},
    {"frmMain", "Label42", Own, "出租服务"},

    {"CounterPage", "", Anywhere, "影片类型："},
    {"CounterPage", "", Anywhere, "光盘格式："},
    {"CounterPage", "", Anywhere, "新旧程度："},
    {"CounterPage", "Label76_3", Own, "出租状态："},
    {"CounterPage", "CboDegree", Own, "全部|新盘|普通|旧盘"},
    {"CounterPage", "CboStation", Own, "全部|全部借出|借出部分|未借出"},
    {"CounterPage", "", Anywhere, "查找："},
    {"CounterPage", "dgDispCDInfo", Own,
     "光盘编号|影片名称|影片类型|光盘格式|出租价格|会员价格|出售价格|会员售价|光盘个数|购买时间|"
     "被借出次数|产地"},
    {"CounterPage", "", Anywhere, "光盘个数："},
    {"CounterPage", "Frame4", Own, "当前光盘详细信息"},
    {"CounterPage", "LblName", Beside, "影片名称："},
    {"CounterPage", "LblActor", Beside, "主要演员："},
    {"CounterPage", "LblMovieType", Beside, "影片类型："},
    {"CounterPage", "LblType", Beside, "光盘格式："},
    {"CounterPage", "LblBorn", Beside, "产    地："},
    {"CounterPage", "LblLocation", Beside, "存放位置："},
    {"CounterPage", "Label17", Own, "出租价格"},
    {"CounterPage", "Label58", Own, "出售价格"},
    {"CounterPage", "", Anywhere, "会员："},
    {"CounterPage", "LblBuyDate", Beside, "购买日期："},
    {"CounterPage", "LblCount", Beside, "光盘个数："},
    {"CounterPage", "LblOutCount", Beside, "被借次数："},
    {"CounterPage", "LblOutDate", Beside, "借出日期："},
    {"CounterPage", "LblIsAbandon", Beside, "光盘质量："},
    {"CounterPage", "LblStation", Beside, "出租状态："},
    {"CounterPage", "TxtDispContent", Beside, "内容简介"},
    {"CounterPage", "", Anywhere, "未借出光盘列表"},
    {"CounterPage", "ListView1", Own, "光盘"},
    {"CounterPage", "CmdBorrow", Own, "出租此光盘(&B)"},
    {"CounterPage", "Command15", Own, "售出此光盘(&S)"},
    {"CounterPage", "Frame13", Own, "出租信息"},
    {"CounterPage", "LblBorrowUserNameTotle", Own, "用户姓名："},
    {"CounterPage", "LblNotBackCount", Beside, "出租数量："},
    {"CounterPage", "LblMoneyBorrowCreSum", Beside, "押金合计："},
    {"CounterPage", "TxtCredence", Beside, "实收押金或抵押物品(Ctrl+O)："},
    {"CounterPage", "CmdBorrowEdit", Own, "编辑此光盘(&E)"},
    {"CounterPage", "CmdDel", Own, "删除此光盘(&I)"},
    {"CounterPage", "CmdTax", Own, "结    算(&M)"},
    {"CounterPage", "Frame14", Own, "出售信息"},
    {"CounterPage", "LblSellUserNameTotle", Own, "用户姓名："},
    {"CounterPage", "LblSellCount", Beside, "出售数量："},
    {"CounterPage", "LblSellMoney", Beside, "金额合计："},
    {"CounterPage", "MskFactSellMoney", Beside, "实收金额(Ctrl+L)："},
    {"CounterPage", "CmdSellEdit", Own, "编辑此光盘(&E)"},
    {"CounterPage", "CmdDelSellCD", Own, "删除此光盘(&I)"},
    {"CounterPage", "CmdSellTax", Own, "结    算(&M)"},

    {"ReturnPage", "", Anywhere, "出租时间："},
    {"ReturnPage", "CboSelTime", Own, "全部未还光盘|今天借出|昨天借出|前天借出|本周借出|本月借出"},
    {"ReturnPage", "", Anywhere, "查找："},
    {"ReturnPage", "dgBorrow", Own, "出租人姓名|光盘编号|影片名称|借出日期|所押物品"},
    {"ReturnPage", "Frame1", Own, "详细信息"},
    {"ReturnPage", "", Anywhere, "出租人姓名"},
    {"ReturnPage", "Label68", Own, "←点击这里"},
    {"ReturnPage", "LblMovieName", Beside, "影片名称"},
    {"ReturnPage", "LblBorrowDate", Beside, "借出日期"},
    {"ReturnPage", "LblTheoryMoney", Beside, "应付租金"},
    {"ReturnPage", "LblFactMoney", Beside, "实付租金"},
    {"ReturnPage", "", Anywhere, "所押物品"},
    {"ReturnPage", "LblAllCount", Beside, "光盘数量"},
    {"ReturnPage", "TxtBorrowRemark", Beside, "备注"},
    {"ReturnPage", "", Anywhere, "已还光盘列表"},
    {"ReturnPage", "", Anywhere, "未还光盘列表"},
    {"ReturnPage", "Command5", Own, "处理本次出租(&T)"},

    {"CataloguePage", "", Anywhere, "影片类型："},
    {"CataloguePage", "", Anywhere, "光盘格式："},
    {"CataloguePage", "", Anywhere, "光盘个数："},
    {"CataloguePage", "CboManageMovieType", Own, "全部"},
    {"CataloguePage", "CboManageType", Own, "全部"},
    {"CataloguePage", "dgCDInfo", Own,
     "光盘编号|影片名称|光盘个数|产地|光盘格式|影片类型|光盘价格|购买日期|出租价格|出售价格|"
     "出租价格(会员)|出售价格(会员)|存放位置"},
    {"CataloguePage", "FrameDiscEntry", Own, "光盘信息收集"},
    {"CataloguePage", "Text1", Beside, "光盘编号："},
    {"CataloguePage", "TxtName", Beside, "影片名称："},
    {"CataloguePage", "TxtActor", Beside, "主要演员："},
    {"CataloguePage", "CboMovieType", Beside, "影片类型："},
    {"CataloguePage", "CboType", Beside, "光盘格式："},
    {"CataloguePage", "MebDate", Beside, "购买日期："},
    {"CataloguePage", "MebCount", Beside, "光盘个数："},
    {"CataloguePage", "MebPrice", Beside, "购买价格："},
    {"CataloguePage", "TxtBorn", Beside, "产    地："},
    {"CataloguePage", "MebBorrowPrice", Beside, "出租价格(每张)："},
    {"CataloguePage", "MebSellPrice", Beside, "出售价格(每张)："},
    {"CataloguePage", "TxtLocation", Beside, "存放位置："},
    {"CataloguePage", "MebMemberBorrowPrice", Beside, "会员出租价格："},
    {"CataloguePage", "MebMemberSellPrice", Beside, "会员出售价格："},
    {"CataloguePage", "Frame7", Beside, "租金计算："},
    {"CataloguePage", "Option1", Own, "每天"},
    {"CataloguePage", "Option2", Own, "每次"},
    {"CataloguePage", "TxtKey", Beside, "检索关键字："},
    {"CataloguePage", "TxtID", Beside, "光盘ID："},
    {"CataloguePage", "Check1", Own, "标志为坏光盘"},
    {"CataloguePage", "TxtRemark", Beside, "备    注："},
    {"CataloguePage", "TxtContent", Beside, "内容简介："},
    {"CataloguePage", "Command1", Own, "新光盘(&A)"},
    {"CataloguePage", "CmdSave", Own, "保存(&S)"},
    {"CataloguePage", "Command2", Own, "丢弃光盘(&D)"},
    {"CataloguePage", "Command3", Own, "清除所有坏光盘(&L)"},
    {"CataloguePage", "Command9", Own, "查找(&F)"},
    {"CataloguePage", "CmdPrintStore", Own, "打印(&P)"},

    {"StatisticsPage", "LblReport_0", Own, "统计本店的客户信息"},
    {"StatisticsPage", "LblReport_1", Own, "统计本店的收入及支出情况"},
    {"StatisticsPage", "LblReport_2", Own, "显示本店近期光盘的购买情况"},
    {"StatisticsPage", "LblReport_3", Own, "统计本店近期的光盘归还情况"},
    {"StatisticsPage", "LblReport_4", Own, "统计本店近期的光盘出租情况"},
    {"StatisticsPage", "LblReport_5", Own, "显示出租最热门的50张光盘"},
    {"StatisticsPage", "LblReport_6", Own, "统计本店光盘出售情况"},
    {"StatisticsPage", "LblReport_7", Own, "显示出售最热门的50张光盘"},

    {"SettingsPage", "Frame2", Own, "光盘格式"},
    {"SettingsPage", "dgType", Own, "光盘格式"},
    {"SettingsPage", "Command7", Own, "增加"},
    {"SettingsPage", "Command8", Own, "删除"},
    {"SettingsPage", "Frame3", Own, "影片类型"},
    {"SettingsPage", "dgMovieType", Own, "影片类型"},
    {"SettingsPage", "Command4", Own, "增加"},
    {"SettingsPage", "Command6", Own, "删除"},
    {"SettingsPage", "Frame10", Own, "出租价格设置"},
    {"SettingsPage", "Frame11", Own, "出售价格设置"},
    {"SettingsPage", "", Anywhere, "会员价格　="},
    {"SettingsPage", "", Anywhere, "一般价格"},
    {"SettingsPage", "Frame12", Own, "会费设置"},
    {"SettingsPage", "", Anywhere, "会费"},
    {"SettingsPage", "", Anywhere, "/月"},
    {"SettingsPage", "Frame15", Own, "押金设置"},
    {"SettingsPage", "Option3_0", Own, "光盘购买金额"},
    {"SettingsPage", "Option3_1", Own, "按光盘数量收取"},
    {"SettingsPage", "Option3_2", Own, "固定金额"},
    {"SettingsPage", "Label73", Own, "零租用户每张光盘收取"},
    {"SettingsPage", "Label75", Own, "会员每张光盘收取"},

    {"MemberPage", "", Anywhere, "会员列表"},
    {"MemberPage", "DataGrid1", Own, "会员编号|会员姓名|已缴会费|入会时间|联系电话"},
    {"MemberPage", "", Anywhere, "在这里输入会员编号按回车键查找"},
    {"MemberPage", "FrameMemberFields", Own, "会员信息"},
    {"MemberPage", "TxtUserID", Beside, "会员编号："},
    {"MemberPage", "TxtUserName", Beside, "会员姓名："},
    {"MemberPage", "MaskEdBox1", Beside, "入会时间："},
    {"MemberPage", "TxtAddress", Beside, "住址："},
    {"MemberPage", "TxtTele", Beside, "联系电话："},
    {"MemberPage", "FrameMemberLevel", Own, "会员级别"},
    {"MemberPage", "LblBorrowCount", Beside, "出租光盘次数"},
    {"MemberPage", "LblAllMoney", Beside, "已付租金"},
    {"MemberPage", "LblBuyCount", Beside, "购买光盘次数"},
    {"MemberPage", "LblBuyMoney", Beside, "购买合计"},
    {"MemberPage", "Command18", Own, "出租光盘详细列表"},
    {"MemberPage", "Command17", Own, "购买光盘详细列表"},
    {"MemberPage", "FrameAccount", Own, "个人帐户管理"},
    {"MemberPage", "LblMoney", Beside, "已存入金额"},
    {"MemberPage", "MebAddMoney", Beside, "退还或存入金额"},
    {"MemberPage", "Command10", Own, "缴纳会费"},
    {"MemberPage", "Command11", Own, "退还会费"},
    {"MemberPage", "Command12", Own, "全部退还"},
    {"MemberPage", "Command13", Own, "新会员(&N)"},
    {"MemberPage", "Command16", Own, "保存(&V)"},
    {"MemberPage", "Command14", Own, "退出会员(&X)"},
    {"MemberPage", "CmdPrint", Own, "打印(&P)"},

    {"frmFind", "frmFind", Own, "查找"},
    {"frmFind", "Label1", Own, "请输入影片名称、演员姓名的拼音缩写"},
    {"frmFind", "Command1", Own, "查找(&F)"},
    {"frmFind", "Command2", Own, "查找下一个(&N)"},
    {"frmFind", "Command3", Own, "取消(&C)"},

    {"frmSelPrint", "frmSelPrint", Own, "选择打印格式"},
    {"frmSelPrint", "Frame1", Own, "统计方式"},
    {"frmSelPrint", "Option1_0", Own, "按光盘格式统计"},
    {"frmSelPrint", "Option1_1", Own, "按影片类型统计"},
    {"frmSelPrint", "Command1", Own, "打印(&P)"},
    {"frmSelPrint", "Command2", Own, "取消(&C)"},

    {"frmDispUser", "frmDispUser", Own, "会员信息"},
    {"frmDispUser", "LblUserID", Beside, "会员编号"},
    {"frmDispUser", "LblUserName", Beside, "会员姓名"},
    {"frmDispUser", "LblJoinDate", Beside, "入会时间"},
    {"frmDispUser", "LblMoney", Beside, "所缴会费"},
    {"frmDispUser", "LblUserType", Beside, "用户类型"},
    {"frmDispUser", "LblAddress", Beside, "住址"},
    {"frmDispUser", "LblTel", Beside, "联系电话"},
    {"frmDispUser", "LblBorrowCount", Beside, "出租光盘次数"},
    {"frmDispUser", "LblAllMoney", Beside, "已付租金"},
    {"frmDispUser", "MSHFlexGrid1", Own, "影片名称|出租日期|应付租金"},

    {"frmUserBorrowLst", "frmUserBorrowLst", Own, "张三出租光盘列表"},
    {"frmUserBorrowLst", "MSHFlexGrid1", Own, "影片名称|出租日期|已付租金"},
    {"frmUserSellLst", "frmUserSellLst", Own, "张三购买光盘列表"},
    {"frmUserSellLst", "MSHFlexGrid1", Own, "影片名称|出售日期|购买金额"},

    {"frmControlBorrow", "frmControlBorrow", Own, "出租登记"},
    {"frmControlBorrow", "Frame2", Own, "选择用户类型"},
    {"frmControlBorrow", "Option3", Own, " 会 员"},
    {"frmControlBorrow", "Option4", Own, " 零 租 用 户"},
    {"frmControlBorrow", "Label1", Own, "借盘人姓名"},
    {"frmControlBorrow", "Label11", Own, "借盘人姓名"},
    {"frmControlBorrow", "Label9", Own, "剩余会费"},
    {"frmControlBorrow", "", Anywhere, "备注"},
    {"frmControlBorrow", "", Anywhere, "出租光盘编号"},
    {"frmControlBorrow", "", Anywhere, "影片名称"},
    {"frmControlBorrow", "", Anywhere, "选择借出光盘"},
    {"frmControlBorrow", "ListView1", Own, "光盘"},
    {"frmControlBorrow", "Command1", Own, "确认出租(&N)"},
    {"frmControlBorrow", "Command2", Own, "不借这张光盘(&C)"},

    {"frmControlSell", "frmControlSell", Own, "出售登记"},
    {"frmControlSell", "Frame2", Own, "选择用户类型"},
    {"frmControlSell", "Option3", Own, " 会 员"},
    {"frmControlSell", "Option4", Own, " 零 租 用 户"},
    {"frmControlSell", "Label1", Own, "借盘人姓名"},
    {"frmControlSell", "Label11", Own, "买盘人姓名"},
    {"frmControlSell", "Label9", Own, "剩余会费"},
    {"frmControlSell", "", Anywhere, "备注"},
    {"frmControlSell", "", Anywhere, "出售光盘编号"},
    {"frmControlSell", "", Anywhere, "影片名称"},
    {"frmControlSell", "", Anywhere, "选择售出光盘"},
    {"frmControlSell", "ListView1", Own, "光盘"},
    {"frmControlSell", "Command1", Own, "确认出售(&N)"},
    {"frmControlSell", "Command2", Own, "不买这张光盘(&C)"},

    {"frmUseTaxPay", "frmUseTaxPay", Own, "押金结算"},
    {"frmUseTaxPay", "", Anywhere, "应收押金或抵押物品："},
    {"frmUseTaxPay", "", Anywhere, "实付款："},
    {"frmUseTaxPay", "", Anywhere, "找零："},
    {"frmUseTaxPay", "Check1", Own, "会员免收押金"},
    {"frmUseTaxPay", "Command1", Own, "付款(&P)"},
    {"frmUseTaxPay", "Command3", Own, "取消(&C)"},

    {"frmSellPay", "frmSellPay", Own, "付款"},
    {"frmSellPay", "Frame1", Own, "付款方式"},
    {"frmSellPay", "Option1_0", Own, "使用会费支付"},
    {"frmSellPay", "Option1_1", Own, "使用现金支付"},
    {"frmSellPay", "Label1", Own, "应付金额："},
    {"frmSellPay", "Label2", Own, "当前会费金额："},
    {"frmSellPay", "Label3", Own, "支付后会费总额："},
    {"frmSellPay", "Label4", Own, "补交金额："},
    {"frmSellPay", "Label7", Own, "应付总额："},
    {"frmSellPay", "Label8", Own, "实付款："},
    {"frmSellPay", "Label9", Own, "找零："},
    {"frmSellPay", "Command1", Own, "付  款(&P)"},
    {"frmSellPay", "Command3", Own, "取 消(&C)"},

    {"frmControlBack", "frmControlBack", Own, "归还登记"},
    {"frmControlBack", "LvwBack", Own,
     "出租编号|所借光盘编号|影片名称|归还状态|付款状态|出租数量|已归还数量|未归还数量|天数"},
    {"frmControlBack", "Frame1", Own, "此光盘的出租信息"},
    {"frmControlBack", "", Anywhere, "出租光盘编号："},
    {"frmControlBack", "LblMovieName", Beside, "影片名称："},
    {"frmControlBack", "LblDayCount", Beside, "出租天数："},
    {"frmControlBack", "", Anywhere, "选择归还光盘"},
    {"frmControlBack", "ListView1", Own, "光盘"},
    {"frmControlBack", "LblBackNameTotle", Own, "用户姓名："},
    {"frmControlBack", "LblReturnCount", Beside, "已还光盘数量："},
    {"frmControlBack", "LblNotReturnCount", Beside, "未还光盘数量："},
    {"frmControlBack", "LblBackCountSum", Beside, "归还数量："},
    {"frmControlBack", "LblIsPayBackCount", Beside, "已付租金的光盘数量："},
    {"frmControlBack", "LblIsNotPayBackCount", Beside, "未付租金的光盘数量："},
    {"frmControlBack", "LblPlanBackSum", Beside, "租金合计："},
    {"frmControlBack", "MskPlanBackSum", Beside, "用户实收租金："},
    {"frmControlBack", "LblCrePlanBackSum", Beside, "押金合计："},
    {"frmControlBack", "lblCre", Beside, "抵压物品："},
    {"frmControlBack", "Check1", Own, "支付租金"},
    {"frmControlBack", "Check2", Own, "退还押金或抵押物"},
    {"frmControlBack", "TxtRemark", Beside, "备    注："},
    {"frmControlBack", "Command3", Own, "归还并结算(&N)"},
    {"frmControlBack", "Command2", Own, "稍后再还(&X)"},
    {"frmControlBack", "Command4", Own, "不还这张(&C)"},

    {"frmPayMoney", "frmPayMoney", Own, "归还付款"},
    {"frmPayMoney", "Frame1", Own, "付款方式"},
    {"frmPayMoney", "Option1_0", Own, "使用会费支付"},
    {"frmPayMoney", "Option1_1", Own, "使用现金支付"},
    {"frmPayMoney", "Label5", Own, "退还物品："},
    {"frmPayMoney", "Label1", Own, "应付金额"},
    {"frmPayMoney", "Label2", Own, "当前会费金额："},
    {"frmPayMoney", "Label3", Own, "支付后会费总额："},
    {"frmPayMoney", "Label4", Own, "补交金额："},
    {"frmPayMoney", "Label6", Own, "抵押物品："},
    {"frmPayMoney", "Label7", Own, "应付总额："},
    {"frmPayMoney", "Label8", Own, "实付款："},
    {"frmPayMoney", "Label9", Own, ""},
    {"frmPayMoney", "Command1", Own, "付  款(&P)"},
    {"frmPayMoney", "Command3", Own, "取 消(&C)"},

    {"frmUserReport", "frmUserReport", Own, "本店的客户信息"},
    {"frmUserReport", "LblTitle", Own, "星光影碟用户信息"},
    {"frmUserReport", "CmdOutput", Own, "导 出(&O)"},
    {"frmUserReport", "CmdPrint", Own, "打 印(&P)"},
    {"frmUserReport", "MSHFlexGrid2", Own,
     "序号|用户类型|会员编号|用户姓名|借盘次数|租金合计|购盘合计|已缴会费|最后一次租盘时间"},

    {"frmReport", "frmReport", Own, "本店收入及支出信息"},
    {"frmReport", "LblTitle", Own, "星光影碟每年收入及支出情况"},
    {"frmReport", "Combo1", Own,
     "统计每年收入及支出情况|统计今年每月收入及支出情况|统计本月每天收入及支出情况"},
    {"frmReport", "CmdOutput", Own, "导 出(&O)"},
    {"frmReport", "CmdPrint", Own, "打 印(&P)"},
    {"frmReport", "MSHFlexGrid1", Own,
     "年份|净收入|出租光盘|出租光盘|出租光盘|归还光盘|归还光盘|购买光盘|购买光盘|出售光盘|出售光盘|"
     "会费|现有金额"},

    {"frmBuyReport", "frmBuyReport", Own, "显示光盘购买情况"},
    {"frmBuyReport", "LblTitle", Own, "星光影碟本周光盘的购买情况"},
    {"frmBuyReport", "Combo1", Own, "显示本周光盘购买情况|显示本月光盘购买情况|显示今年光盘购买情况"},
    {"frmBuyReport", "CmdOutput", Own, "导 出(&O)"},
    {"frmBuyReport", "CmdPrint", Own, "打 印(&P)"},
    {"frmBuyReport", "MSHFlexGrid1", Own, "影片名称|购买日期|所花费用|实收租金|光盘格式"},

    {"frmEarnReport", "frmEarnReport", Own, "本店光盘归还情况"},
    {"frmEarnReport", "LblTitle", Own, "星光影碟今天的光盘归还情况"},
    {"frmEarnReport", "Combo1", Own,
     "显示今天的光盘归还情况|显示昨天的光盘归还情况|显示前天的光盘归还情况|显示本周的光盘归还情况"},
    {"frmEarnReport", "CmdOutput", Own, "导 出(&O)"},
    {"frmEarnReport", "CmdPrint", Own, "打 印(&P)"},
    {"frmEarnReport", "MSHFlexGrid1", Own, "影片名称|用户类型|出租人姓名|收入|归还时间|出租时间"},

    {"frmBorrowReport", "frmBorrowReport", Own, "出租情况"},
    {"frmBorrowReport", "LblTitle", Own, "星光影碟今天的出租情况"},
    {"frmBorrowReport", "Combo1", Own,
     "显示今天的出租情况|显示昨天的出租情况|显示前天的出租情况|显示本周的出租情况"},
    {"frmBorrowReport", "CmdOutput", Own, "导 出(&O)"},
    {"frmBorrowReport", "CmdPrint", Own, "打 印(&P)"},
    {"frmBorrowReport", "MSHFlexGrid1", Own, "影片名称|用户类型|出租人姓名|已付租金|押金|出租时间"},

    {"frmHotCDInfo", "frmHotCDInfo", Own, "显示出租最热门的光盘"},
    {"frmHotCDInfo", "LblTitle", Own, "星光影碟出租最热门的光盘"},
    {"frmHotCDInfo", "CmdOutput", Own, "导 出(&O)"},
    {"frmHotCDInfo", "CmdPrint", Own, "打 印(&P)"},
    {"frmHotCDInfo", "MSHFlexGrid1", Own, "序号|影片名称|购买日期|出租次数|实收租金|所花费用"},

    {"frmSellEarnInfo", "frmSellEarnInfo", Own, "本店光盘出售情况"},
    {"frmSellEarnInfo", "LblTitle", Own, "星光影碟今天的光盘出售情况"},
    {"frmSellEarnInfo", "Combo1", Own,
     "显示今天的光盘出售情况|显示昨天的光盘出售情况|显示前天的光盘出售情况|显示本周的光盘出售情况"},
    {"frmSellEarnInfo", "CmdOutput", Own, "导 出(&O)"},
    {"frmSellEarnInfo", "CmdPrint", Own, "打 印(&P)"},
    {"frmSellEarnInfo", "MSHFlexGrid1", Own, "影片名称|用户类型|出售人姓名|收入|售出时间"},

    {"frmSellHotCDInfo", "frmSellHotCDInfo", Own, "显示出售最热门的光盘"},
    {"frmSellHotCDInfo", "LblTitle", Own, "星光影碟出售最热门的光盘"},
    {"frmSellHotCDInfo", "CmdOutput", Own, "导 出(&O)"},
    {"frmSellHotCDInfo", "CmdPrint", Own, "打 印(&P)"},
    {"frmSellHotCDInfo", "MSHFlexGrid1", Own, "序号|影片名称|购买日期|出售价格|所花费用"},

    {"frmMenu", "mnuSelAll", Own, "全部选中"},
    {"frmMenu", "mnuClearAll", Own, "全部取消"},
    {"frmWait", "frmWait", Own, "请稍候"},
    {"frmWait", "Label1", Own, "正在汇总两年以前的出租和出售记录，请稍候……"},
    {"frmProgress", "frmProgress", Own, "正在导出"},
};
// clang-format on

QWidget* FindScope(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QWidget* page = w->findChild<QWidget*>(name)) return page;
    return nullptr;
}

QString Joined(QStringList texts) {
    return texts.join('|');
}

// What a control shows of itself.
QString OwnText(const QObject* o) {
    if (const auto* a = qobject_cast<const QAction*>(o)) return a->text();
    if (const auto* l = qobject_cast<const QLabel*>(o)) return l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(o)) return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(o)) return g->title();
    if (const auto* c = qobject_cast<const QComboBox*>(o)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
        return Joined(items);
    }
    if (const auto* d = qobject_cast<const DataGrid*>(o)) {
        QStringList headings;
        for (int i = 0; i < d->ColumnCount(); ++i)
            headings << const_cast<DataGrid*>(d)->Columns(i).Caption();
        return Joined(headings);
    }
    if (const auto* f = qobject_cast<const FlexGrid*>(o)) {
        QStringList headings;
        for (int c = f->FixedCols(); c < f->Cols(); ++c) headings << f->TextMatrix(0, c);
        return Joined(headings);
    }
    if (const auto* v = qobject_cast<const ListView*>(o)) {
        QStringList headings;
        const ColumnHeaderList columns = const_cast<ListView*>(v)->ColumnHeaders();
        for (int i = 1; i <= columns.Count(); ++i) headings << columns.Item(i).Text();
        return Joined(headings);
    }
    if (const auto* w = qobject_cast<const QWidget*>(o); w && w->isWindow())
        return w->windowTitle();
    return QStringLiteral("(no caption of its own)");
}

QString BesideText(const QWidget* scope, const QObject* control) {
    for (const QLabel* l : scope->findChildren<QLabel*>())
        if (l->buddy() == control) return l->text();
    return QStringLiteral("(no label beside it)");
}

bool ShownAnywhere(const QWidget* scope, const QString& text) {
    for (const QObject* o : scope->findChildren<QObject*>()) {
        if (qobject_cast<const QLabel*>(o) || qobject_cast<const QAbstractButton*>(o) ||
            qobject_cast<const QGroupBox*>(o)) {
            if (OwnText(o) == text) return true;
        }
    }
    return false;
}

class CaptionsTest : public MainWindowTest {
  protected:
    void TearDown() override {
        QList<QPointer<QWidget>> others;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Form*>(w) && w != &frmMain::instance()) others << w;
        for (const QPointer<QWidget>& w : others) delete w.data();
        Settle();
        MainWindowTest::TearDown();
    }

    // Every window as the operator meets it: each page shown, each report opened by its
    // link, the dialogs prepared for a member.
    void OpenEveryWindow() {
        Sql("insert into userinfo (userid, username, money, address, telephone) "
            "values ('000001', '张三', 50, '东城区', '010-1234')");
        gShopName = QStringLiteral("星光影碟");
        frmMain& main = LoadMainWindow();
        for (int button = 0; button < frmMain::kPageButtons; ++button) main.Image3_Click(button);
        main.Image3_Click(0);
        for (int link = 0; link < 8; ++link) main.Statistics()->LblReport_Click(link);
        frmFind::instance();
        frmSelPrint::instance();
        frmControlBorrow::instance();
        frmControlSell::instance();
        frmUseTaxPay::instance().Prepare(frmUseTaxPay::Credence{Yuan(10), QString()}, true);
        frmSellPay::instance().Prepare(Yuan(30), QStringLiteral("000001"));
        frmControlBack::instance();
        frmPayMoney::instance().Prepare(QStringLiteral("000001"), Yuan(12), Yuan(2), QString());
        frmDispUser::Open(QStringLiteral("000001"), false, &main);
        frmUserBorrowLst::Open(QStringLiteral("000001"), QStringLiteral("张三"), &main);
        frmUserSellLst::Open(QStringLiteral("000001"), QStringLiteral("张三"), &main);
        frmMenu::instance();
        frmWait::instance();
        frmProgress::instance();
        Settle();
    }
};
}  // namespace

TEST_F(CaptionsTest, EveryWindowShowsItsCaptions) {
    OpenEveryWindow();
    for (const Shown& row : kCaptions) {
        const QString where = QStringLiteral("%1 %2").arg(row.scope, row.control);
        const QWidget* scope = FindScope(row.scope);
        ASSERT_NE(scope, nullptr) << where.toStdString();
        const QString text = QString::fromUtf8(row.text);
        if (row.where == Anywhere) {
            EXPECT_TRUE(ShownAnywhere(scope, text)) << where.toStdString() << " " << row.text;
            continue;
        }
        const QObject* control =
            row.control == scope->objectName() ? scope : scope->findChild<QObject*>(row.control);
        ASSERT_NE(control, nullptr) << where.toStdString();
        EXPECT_EQ(row.where == Own ? OwnText(control) : BesideText(scope, control), text)
            << where.toStdString();
    }
}
