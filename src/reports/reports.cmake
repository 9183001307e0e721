# Report engine: rendering in the core library, the preview window in the user interface.
find_path(TAVOLIN_MUSTACHE_INCLUDE kainjow/mustache.hpp REQUIRED)

target_sources(tavolin_core PRIVATE
    reports/HtmlReport.cpp reports/HtmlReport.h
    reports/RecordingReportEngine.cpp reports/RecordingReportEngine.h
    reports/ReportEngine.cpp reports/ReportEngine.h
)
target_include_directories(tavolin_core SYSTEM PRIVATE ${TAVOLIN_MUSTACHE_INCLUDE})
qt_add_resources(tavolin_core "report_layouts"
    PREFIX "/reports"
    BASE reports/layouts
    FILES reports/layouts/report.css reports/layouts/TaskReport.html reports/layouts/TaskPrint.html)

target_sources(tavolin_ui PRIVATE
    reports/ReportPreview.cpp reports/ReportPreview.h
)

# The templates ship beside the program, "Reports/" inside its folder, as the modules look for them.
set(TAVOLIN_REPORT_TEMPLATES
    AwardTicketRPT.html
    Certificate.html
    CertificateAdjustment.html
    CertificateReportActive.html
    CertificateReportAll.html
    CertificateReportExpired.html
    CertificateReportRedeemed.html
    CertificateReportVoided.html
    ItemBorrowedReceipt.html
    MailReceiptRPT.html
    MailReportRPT.html
    Schedule.html
    VIPLetter.html
    Reports/AwardMAGCRPT.html
    Reports/AwardRPT.html
    Reports/CashierRPT.html
    Reports/DueBackReprintSlip.html
    Reports/DueBackSlip.html
    Reports/PettyCashReport.html
    Reports/PettyCashSlip.html
    Reports/SOP.html
)
set(TAVOLIN_TEMPLATE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/templates)
set(TAVOLIN_TEMPLATE_DIR ${CMAKE_CURRENT_BINARY_DIR})
set(_tavolin_template_outputs)
foreach(_template IN LISTS TAVOLIN_REPORT_TEMPLATES)
    add_custom_command(
        OUTPUT ${TAVOLIN_TEMPLATE_DIR}/${_template}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TAVOLIN_TEMPLATE_SOURCE_DIR}/${_template}
                ${TAVOLIN_TEMPLATE_DIR}/${_template}
        DEPENDS ${TAVOLIN_TEMPLATE_SOURCE_DIR}/${_template}
        COMMENT "Installing report template ${_template}"
        VERBATIM)
    list(APPEND _tavolin_template_outputs ${TAVOLIN_TEMPLATE_DIR}/${_template})
endforeach()
add_custom_target(tavolin_templates ALL DEPENDS ${_tavolin_template_outputs})
# Whatever builds the program's windows (the program itself, the tests) gets the templates too.
add_dependencies(tavolin_ui tavolin_templates)
