; The setup program's own texts, in Chinese (the program's language) and in English
; for systems in any language but Chinese. The two start-up boxes read as on the
; options page.

LangString ProductName ${LANG_SIMPCHINESE} "Veltrano 动态域名客户端"
LangString ProductName ${LANG_ENGLISH} "Veltrano Dynamic DNS Client"

LangString StartUpTitle ${LANG_SIMPCHINESE} "后台服务"
LangString StartUpTitle ${LANG_ENGLISH} "Background service"
LangString StartUpSubtitle ${LANG_SIMPCHINESE} "选择维特兰诺代理的启动方式。"
LangString StartUpSubtitle ${LANG_ENGLISH} "Choose how the Veltrano agent starts."
LangString StartUpText ${LANG_SIMPCHINESE} "维特兰诺代理在后台运行，使你的域名始终指向本机的当前地址。$\r$\n以后也可以在“维特兰诺用户管理”的“选项设置”页中更改这些选择。"
LangString StartUpText ${LANG_ENGLISH} "The Veltrano agent runs in the background and keeps your domain pointed at this machine's current address.$\r$\nYou can change these choices later on the options page of the user management program."
LangString AutoRunText ${LANG_SIMPCHINESE} "系统启动时自动运行"
LangString AutoRunText ${LANG_ENGLISH} "Run automatically when the system starts"
LangString ServiceText ${LANG_SIMPCHINESE} "作为 Windows 的服务（Service）运行"
LangString ServiceText ${LANG_ENGLISH} "Run as a Windows service"
LangString ServiceNote ${LANG_SIMPCHINESE} "作为服务运行时，代理在任何用户登录之前就开始工作。"
LangString ServiceNote ${LANG_ENGLISH} "As a service the agent works before anyone signs in."

LangString RunProgram ${LANG_SIMPCHINESE} "运行维特兰诺用户管理"
LangString RunProgram ${LANG_ENGLISH} "Run the Veltrano user management"
LangString CloseProgram ${LANG_SIMPCHINESE} "维特兰诺用户管理正在运行，需要先关闭它。$\r$\n尚未应用的修改将会丢失。"
LangString CloseProgram ${LANG_ENGLISH} "The Veltrano user management is running and must be closed first.$\r$\nChanges not yet applied will be lost."
LangString ProgramRunning ${LANG_SIMPCHINESE} "维特兰诺用户管理仍在运行。"
LangString ProgramRunning ${LANG_ENGLISH} "The Veltrano user management is still running."
LangString RegisterFailed ${LANG_SIMPCHINESE} "无法注册维特兰诺代理（Orvanta.exe -RegServer 失败）。"
LangString RegisterFailed ${LANG_ENGLISH} "The Veltrano agent could not be registered (Orvanta.exe -RegServer failed)."
LangString ServiceFailed ${LANG_SIMPCHINESE} "无法安装 Windows 服务，代理改为在系统启动时自动运行。"
LangString ServiceFailed ${LANG_ENGLISH} "The Windows service could not be installed; the agent runs when the system starts instead."
LangString BadSwitch ${LANG_SIMPCHINESE} "命令行参数无效：$R3$\r$\n可用：/AUTORUN=0|1  /SERVICE=0|1（/SERVICE=1 包含 /AUTORUN=1）"
LangString BadSwitch ${LANG_ENGLISH} "Invalid command line: $R3$\r$\nUse /AUTORUN=0|1 and /SERVICE=0|1 (/SERVICE=1 includes /AUTORUN=1)."

LangString ProgramSection ${LANG_SIMPCHINESE} "程序文件、注册信息和启动设置"
LangString ProgramSection ${LANG_ENGLISH} "Program files, registration and start-up settings"
LangString DataSection ${LANG_SIMPCHINESE} "账户数据（代理的 OrvantaData 文件夹）"
LangString DataSection ${LANG_ENGLISH} "Account data (the agent's OrvantaData folder)"
