# Sources of this module are added to the libraries here.
