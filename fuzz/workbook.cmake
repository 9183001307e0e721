# The spreadsheet reader: any bytes as a workbook file, every worksheet and every cell it holds read.
# QuaZip::QuaZip is made global by the spreadsheet module's find_package.
tavolin_fuzzer(fuzz_workbook workbook/WorkbookFuzzer.cpp)
target_link_libraries(fuzz_workbook PRIVATE QuaZip::QuaZip)
