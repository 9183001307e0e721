# The spreadsheet reader the rate loading uses: .xlsx and .xlsm packages read with QuaZip.
find_package(QuaZip-Qt6 REQUIRED)
target_sources(tavolin_core PRIVATE
    rates/NumberFormat.cpp rates/NumberFormat.h
    rates/Workbook.cpp rates/Workbook.h
)
target_link_libraries(tavolin_core PRIVATE QuaZip::QuaZip)
