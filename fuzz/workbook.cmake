# Fuzz targets of this module.
